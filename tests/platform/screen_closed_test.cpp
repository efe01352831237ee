// The layer without an open window, and its pause.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/screen.h"

namespace {

TEST(ClosedScreen, ModeWithoutASizeOpensNothing) {
  EXPECT_NE(ScreenOpen(12, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate), 0);
  EXPECT_NE(std::string(ScreenError()).find("mode 12"), std::string::npos) << ScreenError();
  EXPECT_FALSE(ScreenIsOpen());
}

TEST(ClosedScreen, OperationsWithoutAWindowAreHarmless) {
  ScreenFlip();
  ScreenClose();
  for (int scancode : {-1, 0, 1, 72, 127, 128}) EXPECT_EQ(KeyDown(scancode), 0);
  EXPECT_FALSE(ScreenIsOpen());
  EXPECT_FALSE(ScreenIsFullScreen());
}

TEST(SleepFor, PausesForTheTimeGivenAndNotForNothing) {
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  SleepFor(17);
  const auto slept = Clock::now() - start;
  EXPECT_GE(slept, std::chrono::milliseconds(17));
  EXPECT_LT(slept, std::chrono::milliseconds(200));

  start = Clock::now();
  SleepFor(0);
  SleepFor(-5);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(5));
}

}  // namespace
