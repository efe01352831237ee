// The baseline of tools/bench-startup.sh: the viewer's window and context
// through the same platform layer, without a model.
//   blank-window first-frame   clear, present one black frame, end
//   blank-window frames        clear, present and pause 17 ms until Escape
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "platform/key_map.h"
#include "platform/screen.h"

namespace {

constexpr int kFramePauseMilliseconds = 17;  // the viewer's pause

// The viewer's clear state: black, depth 1.
void Clear() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace

int main(int argc, char** argv) {
  const bool loop = argc > 1 && std::strcmp(argv[1], "frames") == 0;
  if (argc < 2 || (!loop && std::strcmp(argv[1], "first-frame") != 0)) {
    std::fprintf(stderr, "usage: blank-window first-frame|frames\n");
    return 2;
  }
  // The viewer's request: 640 x 480, 32 bits per pixel, one page, an OpenGL window.
  if (ScreenOpen(18, 32, 0, 2, 0) != 0) {
    std::fprintf(stderr, "blank-window: cannot open the window: %s\n", ScreenError());
    return 1;
  }
  if (!loop) {
    Clear();
    ScreenFlip();
    return 0;
  }
  bool quit = false;
  while (!quit) {
    quit = KeyDown(kScancodeEscape) != 0;
    Clear();
    ScreenFlip();
    SleepFor(kFramePauseMilliseconds);
  }
  return 0;
}
