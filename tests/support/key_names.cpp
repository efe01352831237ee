#include "tests/support/key_names.h"

namespace {

// Indexed by Key, in the enumeration's order.
constexpr const char* kKeysymNames[static_cast<int>(Key::Count)] = {
    "",
    "Escape",
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
    "minus", "equal", "BackSpace", "Tab",
    "q", "w", "e", "r", "t", "y", "u", "i", "o", "p",
    "bracketleft", "bracketright", "Return", "Control_L", "Control_R",
    "a", "s", "d", "f", "g", "h", "j", "k", "l",
    "semicolon", "apostrophe", "grave", "Shift_L", "Shift_R", "backslash",
    "z", "x", "c", "v", "b", "n", "m",
    "comma", "period", "slash", "Alt_L", "Alt_R", "space", "Caps_Lock",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "Num_Lock", "Scroll_Lock",
    "Home", "Up", "Prior", "Left", "Right", "End", "Down", "Next", "Insert", "Delete",
    "KP_0", "KP_1", "KP_2", "KP_3", "KP_4", "KP_5", "KP_6", "KP_7", "KP_8", "KP_9",
    "KP_Decimal", "KP_Add", "KP_Subtract", "KP_Multiply", "KP_Divide", "KP_Enter",
    "Super_L", "Super_R", "Menu",
};

}  // namespace

const char* KeysymName(Key key) { return kKeysymNames[static_cast<int>(key)]; }
