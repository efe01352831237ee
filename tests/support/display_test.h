#pragma once
// A test that plays the user on the X display: a connection of its own with
// no key left down before or after, a scratch directory, and every program it
// started ended when it ends.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/x_driver.h"

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver = OpenDriverDisplay();
    ASSERT_NE(driver, nullptr) << "no X display; run under tools/with-xvfb.sh";
    ReleaseAllKeys(driver);
    scratch = MakeTempDirectory();
    ASSERT_FALSE(scratch.empty());
  }

  void TearDown() override {
    for (pid_t pid : started) KillProcess(pid);
    if (driver != nullptr) {
      ReleaseAllKeys(driver);
      CloseDriverDisplay(driver);
    }
    RemoveTree(scratch);
  }

  // Starts a program and remembers it, so that it never outlives the test;
  // -1 when it could not be started.
  pid_t Launch(const ProcessSpec& process) {
    const pid_t pid = StartProcess(process);
    if (pid > 0) started.push_back(pid);
    return pid;
  }

  XDriver* driver = nullptr;
  std::string scratch;
  std::vector<pid_t> started;
};
