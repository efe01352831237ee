// Requests to end from outside, as the layer notes them from PrepareProcess on:
// the first termination signal only sets the status the viewer ends with, a
// second one ends the program at once, and a reader of the progress text that
// went away (SIGPIPE) ends nothing. Each case runs in a child of its own,
// since a signal handler is installed once per process.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/process.h"
#include "platform/screen.h"

namespace {

// As main starts: the process prepared, then the window.
bool Open() {
  PrepareProcess();
  return ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate) == 0;
}

// Exits with TerminationStatus() after the signal, once the window closed.
void RaiseAndExitWithStatus(int signalNumber) {
  if (!Open() || TerminationStatus() != 0) _exit(1);
  raise(signalNumber);
  const int status = TerminationStatus();
  if (!ScreenIsOpen()) _exit(2);
  ScreenClose();
  _exit(ScreenIsOpen() ? 3 : status);
}

TEST(TerminationDeathTest, FirstSignalSetsTheStatusAndTheWindowStillCloses) {
  EXPECT_EXIT(RaiseAndExitWithStatus(SIGINT), testing::ExitedWithCode(130), "");
  EXPECT_EXIT(RaiseAndExitWithStatus(SIGTERM), testing::ExitedWithCode(143), "");
  EXPECT_EXIT(RaiseAndExitWithStatus(SIGHUP), testing::ExitedWithCode(129), "");
  EXPECT_EXIT(RaiseAndExitWithStatus(SIGPIPE), testing::ExitedWithCode(0), "");
}

TEST(TerminationDeathTest, SecondSignalEndsAtOnce) {
  EXPECT_EXIT(
      {
        if (!Open()) _exit(1);
        raise(SIGTERM);
        raise(SIGTERM);
        _exit(0);
      },
      testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
