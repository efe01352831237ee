#pragma once
// Opens the viewer's window and scene once per test process, the way the
// viewer does, so that gl tests run on a real context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/screen.h"
#include "render/scene.h"

inline void OpenScene() {
  static bool open = false;
  if (open) return;
  ASSERT_EQ(ScreenOpen(18, 32, 0, 2, 0), 0) << ScreenError();
  SetUpScene();
  open = true;
}

// Drops errors left by earlier calls that were meant to fail.
inline void ClearGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}
