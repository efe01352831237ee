// Termination signals are noted for an orderly end; a second one ends at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/termination.h"

namespace {

TEST(TerminationDeathTest, FirstSignalIsOnlyNoted) {
  EXPECT_EXIT(
      {
        CatchTerminationSignals();
        raise(SIGTERM);
        _exit(CaughtTerminationSignal());
      },
      testing::ExitedWithCode(SIGTERM), "");
  EXPECT_EXIT(
      {
        CatchTerminationSignals();
        raise(SIGINT);
        _exit(CaughtTerminationSignal());
      },
      testing::ExitedWithCode(SIGINT), "");
}

TEST(TerminationDeathTest, SecondSignalEndsAtOnce) {
  EXPECT_EXIT(
      {
        CatchTerminationSignals();
        raise(SIGTERM);
        raise(SIGTERM);
        _exit(0);
      },
      testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
