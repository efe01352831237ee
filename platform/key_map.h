#pragma once
// Scancodes name keys by their PC set-1 numbers, 0..127.
#include <cstdint>

constexpr int kScancodeEscape = 1;
constexpr int kScancodeQ = 16;
constexpr int kScancodeA = 30;
constexpr int kScancodeUp = 72;
constexpr int kScancodeLeft = 75;
constexpr int kScancodeRight = 77;
constexpr int kScancodeDown = 80;
constexpr int kScancodeCount = 128;

// One row of the key map: a scancode is held while either of its keys is.
// Keys are named by what they mean in the current keyboard layout, not by
// where they lie: the key that the layout calls Q sets scancode 16. A second
// key of 0 means none.
struct KeyMapRow {
  int scancode;
  int32_t key;
  int32_t secondKey;
};

constexpr int kKeyMapRowCount = 86;
extern const KeyMapRow kKeyMap[kKeyMapRowCount];

// The name of a key of the map, such as "Q" or "Keypad 8"; "" for none.
const char* KeyName(int32_t key);
