#include "app/view.h"

ViewState InitialView() { return ViewState{180, 0, -6.0f, false}; }

namespace {

void TurnForward(int32_t& angle) {
  angle += 2;
  if (angle == 360) angle = 0;
}

void TurnBack(int32_t& angle) {
  if (angle == 0) angle = 360;
  angle -= 2;
}

// The step is added in double precision and the sum stored back as a float
// every frame, so sixty steps of 0.1 from -6 end near -0.0000035, not at 0.
void Move(float& distance, double step) { distance = static_cast<float>(distance + step); }

}  // namespace

void ApplyKeyRules(ViewState& view, const HeldKeys& keys) {
  if (keys.left) TurnForward(view.yaw);
  if (keys.right) TurnBack(view.yaw);
  if (keys.up) TurnForward(view.pitch);
  if (keys.down) TurnBack(view.pitch);
  if (keys.nearer) Move(view.distance, 0.1);
  if (keys.farther) Move(view.distance, -0.1);
  if (keys.escape) view.quitRequested = true;
}
