// The viewer: opens its window, loads enterprise.obj from the current
// directory and shows it until Escape. The command line is not read.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/frame_loop.h"
#include "app/load_report.h"
#include "app/view.h"
#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "platform/process.h"
#include "platform/screen.h"
#include "render/scene.h"
#include "render/texture_loader.h"

namespace {

// About 300 KB: in static storage, zero before anything runs and alive for the whole run.
Model model;

// Every way out once the window is open closes it (display mode and screen saver back) and flushes the progress
// text before the status reaches the system.
struct ScreenGuard {
  ScreenGuard() = default;
  ScreenGuard(const ScreenGuard&) = delete;
  ScreenGuard& operator=(const ScreenGuard&) = delete;
  ~ScreenGuard() {
    ScreenClose();
    LogFlush();
  }
};

// Where enterprise.obj is looked for, for the message when it is not there.
std::string WhereLookedIn() {
  const std::string directory = CurrentDirectory();
  return directory.empty() ? std::string("the current directory") : directory;
}

}  // namespace

int main() {
  // Before the window, the display connection, any file or any progress text.
  PrepareProcess();
  std::memset(&model, 0, sizeof model);  // in place: no 300 KB temporary on the stack
  ViewState view = InitialView();

  if (ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate) != 0) {
    // Without a window no key can ever read as held, so Escape could not end the loop.
    std::fprintf(stderr, "viewer: cannot open a 640 x 480 OpenGL window: %s\n", ScreenError());
    return 1;
  }
  const ScreenGuard guard;
  SetUpScene();
  const std::string fileName = "enterprise.obj";
  const LoadSummary summary = LoadModel(fileName, model, LoadTexture);
  LogFlush();
  const LoadReport report = ReportLoadProblems(fileName, WhereLookedIn(), model, summary);
  std::fputs(report.lines.c_str(), stderr);
  // Where nobody reads standard error, an empty window would otherwise say no word why.
  if (!report.somethingShows) ShowStartupProblems(report.lines);

  while (!view.quitRequested) {
    RunFrame(view, model);
    // Asked to end from outside (a signal, on Linux): the same orderly end.
    if (const int status = TerminationStatus()) return status;
  }
  return 0;
}
