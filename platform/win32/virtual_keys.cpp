#include "platform/win32/virtual_keys.h"

#include <windows.h>

namespace {

// Indexed by Key, in the enumeration's order. The punctuation keys have no
// virtual key of their own meaning; the VK_OEM codes are named by the US
// layout. Either Enter key is VK_RETURN. The keypad digits are their own keys
// while Num Lock is on; with it off they arrive as the arrows, Home, End and
// so on, which the same rows hold anyway.
constexpr unsigned char kVirtualKeys[static_cast<int>(Key::Count)] = {
    0,
    VK_ESCAPE,
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
    VK_OEM_MINUS, VK_OEM_PLUS, VK_BACK, VK_TAB,
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P',
    VK_OEM_4, VK_OEM_6, VK_RETURN, VK_LCONTROL, VK_RCONTROL,
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L',
    VK_OEM_1, VK_OEM_7, VK_OEM_3, VK_LSHIFT, VK_RSHIFT, VK_OEM_5,
    'Z', 'X', 'C', 'V', 'B', 'N', 'M',
    VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_LMENU, VK_RMENU, VK_SPACE, VK_CAPITAL,
    VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12,
    VK_NUMLOCK, VK_SCROLL,
    VK_HOME, VK_UP, VK_PRIOR, VK_LEFT, VK_RIGHT, VK_END, VK_DOWN, VK_NEXT, VK_INSERT,
    VK_DELETE,
    VK_NUMPAD0, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD5, VK_NUMPAD6, VK_NUMPAD7, VK_NUMPAD8,
    VK_NUMPAD9,
    VK_DECIMAL, VK_ADD, VK_SUBTRACT, VK_MULTIPLY, VK_DIVIDE, VK_RETURN,
    VK_LWIN, VK_RWIN, VK_APPS,
};
static_assert(kVirtualKeys[static_cast<int>(Key::Menu)] == VK_APPS, "one virtual key per Key, in its order");

}  // namespace

int VirtualKeyOf(Key key) { return kVirtualKeys[static_cast<int>(key)]; }
