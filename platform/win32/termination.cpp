#include "platform/win32/termination.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/display_awake.h"
#include "platform/win32/display_mode.h"

namespace {

constexpr int kInterruptStatus = 130;
constexpr int kConsoleClosedStatus = 129;

std::atomic<int> notedStatus{0};
bool installed = false;

BOOL WINAPI NoteConsoleEvent(DWORD event) {
  int status = 0;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: status = kInterruptStatus; break;
    case CTRL_CLOSE_EVENT: status = kConsoleClosedStatus; break;
    default: return FALSE;  // log-off and shutdown reach a program with windows through its window
  }
  int none = 0;
  const bool first = notedStatus.compare_exchange_strong(none, status);
  if (!first || event == CTRL_CLOSE_EVENT) {
    // The program may end before main's clean-up runs: the settings that
    // outlive it go back now; main's closing, if it comes, finds them back.
    RestoreScreenSaver();
    RestoreDesktopMode();
  }
  if (event == CTRL_CLOSE_EVENT) {
    // The system ends the process as soon as this returns. Main's own end, with
    // the window closed and the status given, ends this thread with it; if main
    // does not get there, the system gives up waiting after a few seconds.
    Sleep(INFINITE);
  }
  // A second request goes on to the default handling, which ends the program.
  return first ? TRUE : FALSE;
}

}  // namespace

void CatchConsoleEvents() {
  if (installed) return;
  installed = true;
  AttachConsole(ATTACH_PARENT_PROCESS);
  SetConsoleCtrlHandler(NoteConsoleEvent, TRUE);
}

int ConsoleEventStatus() { return notedStatus.load(); }
