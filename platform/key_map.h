#pragma once
// The key map: which keys set which scancode. The same table on every window
// system; each layer names the keys in its own terms (platform/sdl2/key_codes,
// platform/win32/virtual_keys).
#include <cstdint>

// Keys by what they mean in the current keyboard layout, not by where they
// lie: Key::Q is the key that the layout calls Q.
enum class Key : uint8_t {
  None,
  Escape,
  Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9, Digit0,
  Minus, Equals, Backspace, Tab,
  Q, W, E, R, T, Y, U, I, O, P,
  LeftBracket, RightBracket, Return, LeftCtrl, RightCtrl,
  A, S, D, F, G, H, J, K, L,
  Semicolon, Apostrophe, Grave, LeftShift, RightShift, Backslash,
  Z, X, C, V, B, N, M,
  Comma, Period, Slash, LeftAlt, RightAlt, Space, CapsLock,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  NumLock, ScrollLock,
  Home, Up, PageUp, Left, Right, End, Down, PageDown, Insert, Delete,
  Keypad0, Keypad1, Keypad2, Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9,
  KeypadPeriod, KeypadPlus, KeypadMinus, KeypadMultiply, KeypadDivide, KeypadEnter,
  LeftGui, RightGui, Menu,
  Count
};

// One row of the key map: a scancode is held while either of its keys is.
struct KeyMapRow {
  int scancode;
  Key key;
  Key secondKey;  // Key::None for none
};

constexpr int kKeyMapRowCount = 86;
extern const KeyMapRow kKeyMap[kKeyMapRowCount];
