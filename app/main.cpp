// The viewer: opens its window, loads enterprise.obj from the current
// directory and shows it until Escape. The command line is not read.
#include <cstdio>
#include <cstring>

#include "app/frame_loop.h"
#include "app/view.h"
#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "platform/screen.h"
#include "render/scene.h"

namespace {

// About 300 KB: kept in static storage, zero before anything else runs, and
// alive for the whole run.
Model model;

}  // namespace

int main() {
  std::memset(&model, 0, sizeof model);  // in place: no 300 KB temporary on the stack
  ViewState view = InitialView();

  // 640 x 480 (mode 18), 32 bits per pixel, one page, an OpenGL window, any refresh rate.
  if (ScreenOpen(18, 32, 0, 2, 0) != 0) {
    // Without a window no key can ever read as held, so Escape could not end the loop.
    std::fprintf(stderr, "viewer: cannot open a 640 x 480 OpenGL window: %s\n", ScreenError());
    return 1;
  }
  SetUpScene();
  LoadModel("enterprise.obj", model);
  LogFlush();

  while (!view.quitRequested) RunFrame(view, model);
  return 0;  // ScreenClose runs as an exit action
}
