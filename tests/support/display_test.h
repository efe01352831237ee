#pragma once
// Tests that play the user on the X display through a connection of their
// own, with no key left down before or after, in a scratch directory.
// DisplayTest starts programs and ends every one of them with the test;
// ScreenTest opens the viewer's window in the test's own process.
#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/screen.h"
#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tests/support/x_driver.h"

class DisplayTest : public InScratchDirectory {
 protected:
  void SetUp() override {
    // Code under test that ends the program (as on a close request) must
    // not make the test pass with status 0.
    static const bool watching = std::atexit([] {
      if (!inTest) return;
      std::fputs("the program ended in the middle of a test\n", stderr);
      std::_Exit(3);
    }) == 0;
    (void)watching;
    inTest = true;
    InScratchDirectory::SetUp();
    if (HasFatalFailure()) return;
    run = scratch + "/run";
    std::filesystem::create_directory(run);
    driver = OpenDriverDisplay();
    ASSERT_NE(driver, nullptr) << "no X display; run under tools/with-xvfb.sh";
    ReleaseAllKeys(driver);
  }

  void TearDown() override {
    for (pid_t pid : started) KillProcess(pid);
    if (driver != nullptr) {
      ReleaseAllKeys(driver);
      CloseDriverDisplay(driver);
    }
    InScratchDirectory::TearDown();
    inTest = false;
  }

  // Starts a program and remembers it, so that it never outlives the test;
  // -1 when it could not be started.
  pid_t Launch(const ChildProcess& process) {
    const pid_t pid = StartProcess(process);
    if (pid > 0) started.push_back(pid);
    return pid;
  }

  // The viewer in run/ (empty unless the test fills it), or in directory,
  // with its output going to files in the scratch directory.
  pid_t LaunchViewer(const std::string& directory = "", const std::string& programFile = "",
                     const std::vector<std::string>& arguments = {}) {
    ChildProcess viewer =
        ViewerProcess(directory.empty() ? run : directory, scratch + "/stdout", scratch + "/stderr", programFile);
    viewer.arguments.insert(viewer.arguments.end(), arguments.begin(), arguments.end());
    return Launch(viewer);
  }
  std::string Stdout() const { return ReadWholeFile(scratch + "/stdout"); }
  std::string Stderr() const { return ReadWholeFile(scratch + "/stderr"); }

  XDriver* driver = nullptr;
  std::string run;
  std::vector<pid_t> started;
  static inline bool inTest = false;
};

class ScreenTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (HasFatalFailure()) return;
    Open();
  }

  // Nothing closes the window for a test that leaves it open.
  void TearDown() override {
    ScreenClose();
    DisplayTest::TearDown();
  }

  // Opens the window as the viewer does and waits until it has the focus.
  void Open() {
    ASSERT_EQ(ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate), 0) << ScreenError();
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
  WindowId window = 0;
};
