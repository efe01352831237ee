#include "render/frame.h"

#include <GL/gl.h>

void BeginFrame(float distance, int32_t yaw, int32_t pitch) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, distance);
  glRotatef(static_cast<float>(yaw), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(pitch), 1.0f, 0.0f, 0.0f);
}
