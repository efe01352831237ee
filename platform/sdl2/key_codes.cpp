#include "platform/sdl2/key_codes.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>

#include "platform/key_table.h"

namespace {

// A key as SDL names it: its key code, what the key means in the current
// layout, and the scan code of its place on a US keyboard, where layouts
// without Latin letters have their letter keys too.
struct SdlKeyRow {
  Key key;
  SDL_Keycode keycode;
  SDL_Scancode usPlace;
};

constexpr SdlKeyRow kSdlKeys[] = {
    {Key::Escape, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE},
    {Key::Digit1, SDLK_1, SDL_SCANCODE_1},
    {Key::Digit2, SDLK_2, SDL_SCANCODE_2},
    {Key::Digit3, SDLK_3, SDL_SCANCODE_3},
    {Key::Digit4, SDLK_4, SDL_SCANCODE_4},
    {Key::Digit5, SDLK_5, SDL_SCANCODE_5},
    {Key::Digit6, SDLK_6, SDL_SCANCODE_6},
    {Key::Digit7, SDLK_7, SDL_SCANCODE_7},
    {Key::Digit8, SDLK_8, SDL_SCANCODE_8},
    {Key::Digit9, SDLK_9, SDL_SCANCODE_9},
    {Key::Digit0, SDLK_0, SDL_SCANCODE_0},
    {Key::Minus, SDLK_MINUS, SDL_SCANCODE_MINUS},
    {Key::Equals, SDLK_EQUALS, SDL_SCANCODE_EQUALS},
    {Key::Backspace, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE},
    {Key::Tab, SDLK_TAB, SDL_SCANCODE_TAB},
    {Key::Q, SDLK_q, SDL_SCANCODE_Q},
    {Key::W, SDLK_w, SDL_SCANCODE_W},
    {Key::E, SDLK_e, SDL_SCANCODE_E},
    {Key::R, SDLK_r, SDL_SCANCODE_R},
    {Key::T, SDLK_t, SDL_SCANCODE_T},
    {Key::Y, SDLK_y, SDL_SCANCODE_Y},
    {Key::U, SDLK_u, SDL_SCANCODE_U},
    {Key::I, SDLK_i, SDL_SCANCODE_I},
    {Key::O, SDLK_o, SDL_SCANCODE_O},
    {Key::P, SDLK_p, SDL_SCANCODE_P},
    {Key::LeftBracket, SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET},
    {Key::RightBracket, SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET},
    {Key::Return, SDLK_RETURN, SDL_SCANCODE_RETURN},
    {Key::LeftCtrl, SDLK_LCTRL, SDL_SCANCODE_LCTRL},
    {Key::RightCtrl, SDLK_RCTRL, SDL_SCANCODE_RCTRL},
    {Key::A, SDLK_a, SDL_SCANCODE_A},
    {Key::S, SDLK_s, SDL_SCANCODE_S},
    {Key::D, SDLK_d, SDL_SCANCODE_D},
    {Key::F, SDLK_f, SDL_SCANCODE_F},
    {Key::G, SDLK_g, SDL_SCANCODE_G},
    {Key::H, SDLK_h, SDL_SCANCODE_H},
    {Key::J, SDLK_j, SDL_SCANCODE_J},
    {Key::K, SDLK_k, SDL_SCANCODE_K},
    {Key::L, SDLK_l, SDL_SCANCODE_L},
    {Key::Semicolon, SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON},
    {Key::Apostrophe, SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE},
    {Key::Grave, SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE},
    {Key::LeftShift, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT},
    {Key::RightShift, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT},
    {Key::Backslash, SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH},
    {Key::Z, SDLK_z, SDL_SCANCODE_Z},
    {Key::X, SDLK_x, SDL_SCANCODE_X},
    {Key::C, SDLK_c, SDL_SCANCODE_C},
    {Key::V, SDLK_v, SDL_SCANCODE_V},
    {Key::B, SDLK_b, SDL_SCANCODE_B},
    {Key::N, SDLK_n, SDL_SCANCODE_N},
    {Key::M, SDLK_m, SDL_SCANCODE_M},
    {Key::Comma, SDLK_COMMA, SDL_SCANCODE_COMMA},
    {Key::Period, SDLK_PERIOD, SDL_SCANCODE_PERIOD},
    {Key::Slash, SDLK_SLASH, SDL_SCANCODE_SLASH},
    {Key::LeftAlt, SDLK_LALT, SDL_SCANCODE_LALT},
    {Key::RightAlt, SDLK_RALT, SDL_SCANCODE_RALT},
    {Key::Space, SDLK_SPACE, SDL_SCANCODE_SPACE},
    {Key::CapsLock, SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK},
    {Key::F1, SDLK_F1, SDL_SCANCODE_F1},
    {Key::F2, SDLK_F2, SDL_SCANCODE_F2},
    {Key::F3, SDLK_F3, SDL_SCANCODE_F3},
    {Key::F4, SDLK_F4, SDL_SCANCODE_F4},
    {Key::F5, SDLK_F5, SDL_SCANCODE_F5},
    {Key::F6, SDLK_F6, SDL_SCANCODE_F6},
    {Key::F7, SDLK_F7, SDL_SCANCODE_F7},
    {Key::F8, SDLK_F8, SDL_SCANCODE_F8},
    {Key::F9, SDLK_F9, SDL_SCANCODE_F9},
    {Key::F10, SDLK_F10, SDL_SCANCODE_F10},
    {Key::F11, SDLK_F11, SDL_SCANCODE_F11},
    {Key::F12, SDLK_F12, SDL_SCANCODE_F12},
    {Key::NumLock, SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR},
    {Key::ScrollLock, SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK},
    {Key::Home, SDLK_HOME, SDL_SCANCODE_HOME},
    {Key::Up, SDLK_UP, SDL_SCANCODE_UP},
    {Key::PageUp, SDLK_PAGEUP, SDL_SCANCODE_PAGEUP},
    {Key::Left, SDLK_LEFT, SDL_SCANCODE_LEFT},
    {Key::Right, SDLK_RIGHT, SDL_SCANCODE_RIGHT},
    {Key::End, SDLK_END, SDL_SCANCODE_END},
    {Key::Down, SDLK_DOWN, SDL_SCANCODE_DOWN},
    {Key::PageDown, SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN},
    {Key::Insert, SDLK_INSERT, SDL_SCANCODE_INSERT},
    {Key::Delete, SDLK_DELETE, SDL_SCANCODE_DELETE},
    {Key::Keypad0, SDLK_KP_0, SDL_SCANCODE_KP_0},
    {Key::Keypad1, SDLK_KP_1, SDL_SCANCODE_KP_1},
    {Key::Keypad2, SDLK_KP_2, SDL_SCANCODE_KP_2},
    {Key::Keypad3, SDLK_KP_3, SDL_SCANCODE_KP_3},
    {Key::Keypad4, SDLK_KP_4, SDL_SCANCODE_KP_4},
    {Key::Keypad5, SDLK_KP_5, SDL_SCANCODE_KP_5},
    {Key::Keypad6, SDLK_KP_6, SDL_SCANCODE_KP_6},
    {Key::Keypad7, SDLK_KP_7, SDL_SCANCODE_KP_7},
    {Key::Keypad8, SDLK_KP_8, SDL_SCANCODE_KP_8},
    {Key::Keypad9, SDLK_KP_9, SDL_SCANCODE_KP_9},
    {Key::KeypadPeriod, SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD},
    {Key::KeypadPlus, SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS},
    {Key::KeypadMinus, SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS},
    {Key::KeypadMultiply, SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY},
    {Key::KeypadDivide, SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE},
    {Key::KeypadEnter, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER},
    {Key::LeftGui, SDLK_LGUI, SDL_SCANCODE_LGUI},
    {Key::RightGui, SDLK_RGUI, SDL_SCANCODE_RGUI},
    {Key::Menu, SDLK_APPLICATION, SDL_SCANCODE_APPLICATION},
};
static_assert(CoversEveryKeyOnce(kSdlKeys), "every key has one SDL row");

constexpr auto kSdlKeysByKey = IndexByKey(kSdlKeys);

}  // namespace

SDL_Scancode SdlScancodeOf(Key key) {
  if (key == Key::None) return SDL_SCANCODE_UNKNOWN;
  const SdlKeyRow& row = kSdlKeysByKey[static_cast<std::size_t>(key)];
  const SDL_Scancode typing = SDL_GetScancodeFromKey(row.keycode);
  return typing != SDL_SCANCODE_UNKNOWN ? typing : row.usPlace;
}
