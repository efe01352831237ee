// The baseline of tools/bench-startup.sh: the viewer's window and context
// through the same platform layer, without a model.
//   blank-window first-frame [lit]   clear, present one frame, end
//   blank-window frames [lit]        clear, present and pause 17 ms until Escape
//   blank-window renderer            print the OpenGL renderer and version, end
// With lit, each frame also draws one lit, textured triangle in the viewer's
// scene: it tells what the renderer costs for drawing anything at all in
// that state from what the viewer's model adds.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "app/frame_loop.h"
#include "platform/scancodes.h"
#include "platform/screen.h"
#include "render/scene.h"

namespace {

// The viewer's clear state: black, depth 1.
void Clear() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A 2 x 2 texture uploaded as the texture loader uploads: BGRA, nearest texels.
unsigned int MakeTexture() {
  static const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE, texels);
  return texture;
}

// One face as the renderer sends it, in front of the viewer.
void DrawTriangle(unsigned int texture) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -6.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor3f(0.8f, 0.8f, 0.8f);
  glBegin(GL_TRIANGLES);
  const float corners[3][4] = {{-1.0f, -1.0f, 0.0f, 0.0f}, {1.0f, -1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 1.0f}};
  for (const auto& corner : corners) {
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(corner[2], corner[3]);
    glVertex3f(corner[0], corner[1], 0.0f);
  }
  glEnd();
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  const bool loop = std::strcmp(mode, "frames") == 0;
  const bool renderer = std::strcmp(mode, "renderer") == 0;
  const bool lit = argc > 2 && std::strcmp(argv[2], "lit") == 0;
  if ((!loop && !renderer && std::strcmp(mode, "first-frame") != 0) || (argc > 2 && !lit) || argc > 3) {
    std::fprintf(stderr, "usage: blank-window first-frame|frames [lit] | renderer\n");
    return 2;
  }
  // The viewer's request: 640 x 480, 32 bits per pixel, one page, an OpenGL window.
  if (ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate) != 0) {
    std::fprintf(stderr, "blank-window: cannot open the window: %s\n", ScreenError());
    return 1;
  }
  if (renderer) {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::printf("%s, OpenGL %s\n", name != nullptr ? name : "?", version != nullptr ? version : "?");
    ScreenClose();
    return 0;
  }
  unsigned int texture = 0;
  if (lit) {
    SetUpScene();
    texture = MakeTexture();
  }
  bool quit = false;
  do {
    quit = KeyDown(kScancodeEscape) != 0;
    Clear();
    if (lit) DrawTriangle(texture);
    ScreenFlip();
    if (loop) SleepFor(kFramePauseMilliseconds);
  } while (loop && !quit && TerminationStatus() == 0);
  ScreenClose();
  return 0;
}
