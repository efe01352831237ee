#pragma once
// A test with the real window open in this process, and a second X connection
// that plays the user.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/screen.h"
#include "tests/support/x_driver.h"

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver = OpenDriverDisplay();
    ASSERT_NE(driver, nullptr) << "no X display; run under tools/with-xvfb.sh";
    ReleaseAllKeys(driver);
    Open();
  }

  void TearDown() override {
    if (driver == nullptr) return;
    ReleaseAllKeys(driver);
    ScreenClose();
    CloseDriverDisplay(driver);
  }

  void Open() {
    ASSERT_EQ(ScreenOpen(18, 32, 0, 2, 0), 0) << ScreenError();
    window = FindWindowOfProcess(driver, getpid(), 3000);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(WaitForFocus(driver, window, 3000));
  }

  // Frames as the viewer runs them, each after a pause long enough for the X
  // server to deliver what the driver sent.
  static void Flip(int count = 1) {
    for (int i = 0; i < count; ++i) {
      SleepMs(kDeliveryMs);
      ScreenFlip();
    }
  }

  // Takes in the events of opening (focus, exposure) and a first sample.
  static void Settle() { Flip(3); }

  static constexpr int kDeliveryMs = 25;
  XDriver* driver = nullptr;
  WindowId window = 0;
};
