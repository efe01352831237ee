#include "app/frame_loop.h"

#include "platform/scancodes.h"
#include "platform/screen.h"
#include "render/scene.h"
#include "render/model_renderer.h"

namespace {

HeldKeys ReadHeldKeys() {
  HeldKeys keys{};
  keys.left = KeyDown(kScancodeLeft) != 0;
  keys.right = KeyDown(kScancodeRight) != 0;
  keys.up = KeyDown(kScancodeUp) != 0;
  keys.down = KeyDown(kScancodeDown) != 0;
  keys.nearer = KeyDown(kScancodeQ) != 0;
  keys.farther = KeyDown(kScancodeA) != 0;
  keys.escape = KeyDown(kScancodeEscape) != 0;
  return keys;
}

}  // namespace

void RunFrame(ViewState& view, const Model& model) {
  ApplyKeyRules(view, ReadHeldKeys());
  int width = 0;
  int height = 0;
  if (ScreenSizeChanged(width, height)) SetPictureArea(width, height);
  BeginFrame(view.distance, view.yaw, view.pitch);
  DrawModel(model);
  ScreenFlip();
  SleepFor(kFramePauseMilliseconds);
}
