#pragma once
// The view state and the seven key rules that change it once per frame.
#include <cstdint>

struct ViewState {
  int32_t yaw;       // degrees about the vertical axis, even, 0..358
  int32_t pitch;     // degrees about the model's x axis, even, 0..358
  float distance;    // along the view axis; negative lies in front of the viewer
  bool quitRequested;
};

// Which of the viewer's keys read as held in this frame.
struct HeldKeys {
  bool left;
  bool right;
  bool up;
  bool down;
  bool nearer;   // Q
  bool farther;  // A
  bool escape;
};

// Turned half a turn, 6 units in front of the viewer.
ViewState InitialView();

// Applies the key rules in their fixed order: Left, Right, Up, Down, Q, A,
// Escape. Each rule sees what the earlier ones left.
void ApplyKeyRules(ViewState& view, const HeldKeys& keys);
