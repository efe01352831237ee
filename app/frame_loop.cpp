#include "app/frame_loop.h"

#include <GL/gl.h>

#include "platform/key_map.h"
#include "platform/screen.h"
#include "render/model_renderer.h"

namespace {

constexpr int kFramePauseMilliseconds = 17;

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

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // T(0, 0, distance) * Ry(yaw) * Rx(pitch): pitch turns the model first.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, view.distance);
  glRotatef(static_cast<float>(view.yaw), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(view.pitch), 1.0f, 0.0f, 0.0f);
  DrawModel(model);

  ScreenFlip();
  SleepFor(kFramePauseMilliseconds);
}
