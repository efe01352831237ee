#pragma once
// The key-state table that both layers keep: one byte per scancode, rewritten
// from the keyboard once per frame and read by KeyDown.
#include "platform/key_map.h"
#include "platform/scancodes.h"

struct KeyStates {
  unsigned char held[kScancodeCount];  // 1 = held at the last sample
};

inline void ClearKeyStates(KeyStates& states) {
  for (unsigned char& state : states.held) state = 0;
}

// Rewrites every row's scancode: held when isHeld(row) says either of its
// keys is down. isHeld takes the row's index in kKeyMap.
template <typename IsHeld>
void SampleKeyStates(KeyStates& states, IsHeld&& isHeld) {
  for (int row = 0; row < kKeyMapRowCount; ++row) states.held[kKeyMap[row].scancode] = isHeld(row) ? 1 : 0;
}

// KeyDown's answer: -1 while held, 0 otherwise and for a scancode outside 0..127.
inline int KeyStateAnswer(const KeyStates& states, int scancode) {
  if (scancode < 0 || scancode >= kScancodeCount) return 0;
  return states.held[scancode] != 0 ? -1 : 0;
}
