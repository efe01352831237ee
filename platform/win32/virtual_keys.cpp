#include "platform/win32/virtual_keys.h"

#include <windows.h>

#include "platform/key_table.h"

namespace {

// A key and its virtual key. Punctuation has no virtual key of its own
// meaning, so the VK_OEM codes go by the US layout; either Enter is VK_RETURN.
// With Num Lock off the keypad digits arrive as the arrows, Home, End and so
// on, which the same key map rows hold anyway.
struct VirtualKeyRow {
  Key key;
  unsigned char virtualKey;
};

constexpr VirtualKeyRow kVirtualKeys[] = {
    {Key::Escape, VK_ESCAPE},
    {Key::Digit1, '1'}, {Key::Digit2, '2'}, {Key::Digit3, '3'}, {Key::Digit4, '4'}, {Key::Digit5, '5'},
    {Key::Digit6, '6'}, {Key::Digit7, '7'}, {Key::Digit8, '8'}, {Key::Digit9, '9'}, {Key::Digit0, '0'},
    {Key::Minus, VK_OEM_MINUS}, {Key::Equals, VK_OEM_PLUS}, {Key::Backspace, VK_BACK}, {Key::Tab, VK_TAB},
    {Key::Q, 'Q'}, {Key::W, 'W'}, {Key::E, 'E'}, {Key::R, 'R'}, {Key::T, 'T'},
    {Key::Y, 'Y'}, {Key::U, 'U'}, {Key::I, 'I'}, {Key::O, 'O'}, {Key::P, 'P'},
    {Key::LeftBracket, VK_OEM_4}, {Key::RightBracket, VK_OEM_6}, {Key::Return, VK_RETURN},
    {Key::LeftCtrl, VK_LCONTROL}, {Key::RightCtrl, VK_RCONTROL},
    {Key::A, 'A'}, {Key::S, 'S'}, {Key::D, 'D'}, {Key::F, 'F'}, {Key::G, 'G'},
    {Key::H, 'H'}, {Key::J, 'J'}, {Key::K, 'K'}, {Key::L, 'L'},
    {Key::Semicolon, VK_OEM_1}, {Key::Apostrophe, VK_OEM_7}, {Key::Grave, VK_OEM_3},
    {Key::LeftShift, VK_LSHIFT}, {Key::RightShift, VK_RSHIFT}, {Key::Backslash, VK_OEM_5},
    {Key::Z, 'Z'}, {Key::X, 'X'}, {Key::C, 'C'}, {Key::V, 'V'}, {Key::B, 'B'}, {Key::N, 'N'}, {Key::M, 'M'},
    {Key::Comma, VK_OEM_COMMA}, {Key::Period, VK_OEM_PERIOD}, {Key::Slash, VK_OEM_2},
    {Key::LeftAlt, VK_LMENU}, {Key::RightAlt, VK_RMENU}, {Key::Space, VK_SPACE}, {Key::CapsLock, VK_CAPITAL},
    {Key::F1, VK_F1}, {Key::F2, VK_F2}, {Key::F3, VK_F3}, {Key::F4, VK_F4}, {Key::F5, VK_F5}, {Key::F6, VK_F6},
    {Key::F7, VK_F7}, {Key::F8, VK_F8}, {Key::F9, VK_F9}, {Key::F10, VK_F10}, {Key::F11, VK_F11}, {Key::F12, VK_F12},
    {Key::NumLock, VK_NUMLOCK}, {Key::ScrollLock, VK_SCROLL},
    {Key::Home, VK_HOME}, {Key::Up, VK_UP}, {Key::PageUp, VK_PRIOR}, {Key::Left, VK_LEFT}, {Key::Right, VK_RIGHT},
    {Key::End, VK_END}, {Key::Down, VK_DOWN}, {Key::PageDown, VK_NEXT}, {Key::Insert, VK_INSERT},
    {Key::Delete, VK_DELETE},
    {Key::Keypad0, VK_NUMPAD0}, {Key::Keypad1, VK_NUMPAD1}, {Key::Keypad2, VK_NUMPAD2}, {Key::Keypad3, VK_NUMPAD3},
    {Key::Keypad4, VK_NUMPAD4}, {Key::Keypad5, VK_NUMPAD5}, {Key::Keypad6, VK_NUMPAD6}, {Key::Keypad7, VK_NUMPAD7},
    {Key::Keypad8, VK_NUMPAD8}, {Key::Keypad9, VK_NUMPAD9},
    {Key::KeypadPeriod, VK_DECIMAL}, {Key::KeypadPlus, VK_ADD}, {Key::KeypadMinus, VK_SUBTRACT},
    {Key::KeypadMultiply, VK_MULTIPLY}, {Key::KeypadDivide, VK_DIVIDE}, {Key::KeypadEnter, VK_RETURN},
    {Key::LeftGui, VK_LWIN}, {Key::RightGui, VK_RWIN}, {Key::Menu, VK_APPS},
};
static_assert(CoversEveryKeyOnce(kVirtualKeys), "every key has one virtual key");

// One index, not a search per key.
constexpr auto kVirtualKeysByKey = IndexByKey(kVirtualKeys);

}  // namespace

int VirtualKeyOf(Key key, int usPlace) {
  const int virtualKey = kVirtualKeysByKey[static_cast<std::size_t>(key)].virtualKey;
  if (virtualKey < 'A' || virtualKey > 'Z' || MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) != 0) return virtualKey;
  // No key of the layout gives the letter (Wine's Cyrillic layouts give those
  // keys spare virtual keys): the one at its place on a US keyboard, as
  // Windows' own Russian layout has it.
  return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(usPlace), MAPVK_VSC_TO_VK_EX));
}
