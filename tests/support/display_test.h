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

  // Standard error, its lines ending in LF as the Linux build ends them: a
  // Windows build ends them in CR LF, as Windows text does.
  std::string Stderr() const {
    const std::string text = ReadWholeFile(scratch + "/stderr");
    if (ViewerIsLinuxBuild()) return text;
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ADD_FAILURE() << "a line without CR on standard error";
      if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') lines += text[i];
    }
    return lines;
  }

  // A path as the viewer names it: a build under Wine sees the root as drive Z:.
  static std::string ViewerPath(std::string path) {
    if (ViewerIsLinuxBuild()) return path;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return "Z:" + path;
  }

  // The viewer's window once it holds the keyboard focus, so that keys sent
  // now reach it; 0 when none came. Wine gives its windows no focus where no
  // window manager does: a build run under it gets the focus from the test.
  WindowId FindViewerWindow(pid_t pid) {
    const WindowId window = FindWindowOfProcess(driver, pid, kViewerStartMs);
    if (window == 0) return 0;
    if (!ViewerIsLinuxBuild()) GiveFocus(driver, window);
    return WaitForFocus(driver, window, kViewerStartMs) ? window : 0;
  }

  // Ends the viewer with Escape; the status it ended with, -1 when it did not.
  // Held until the viewer ends: on a loaded machine a sanitizer build's frame
  // can outlast a short press, which then falls between two samples.
  int PressEscapeAndWait(pid_t pid) {
    PressKey(driver, "Escape");
    const int status = WaitForExit(pid, kViewerEndMs);
    ReleaseKey(driver, "Escape");
    return status;
  }

  // Alt+Enter, Alt held around Enter as a person does.
  void PressAltEnter() {
    PressKey(driver, "Alt_L");
    HoldKey(driver, "Return", kKeyHoldMs);
    ReleaseKey(driver, "Alt_L");
  }

  // The viewer's picture once the model is loaded and the picture holds still.
  // With shows, the model shows at start, so an all-black window is from
  // before the first frame: on a busy machine it can hold still that long.
  WindowPixels LoadedPicture(WindowId window, bool shows = false) {
    // "Done!" ends the loading, before the first frame.
    for (int waited = 0; !EndsWith(Stdout(), "Done!\r\n") && waited < kViewerStartMs; waited += 50) SleepMs(50);
    WindowPixels picture = ReadWindowPixels(driver, window);
    for (int waited = 0; shows && LitPixels(picture) == 0 && waited < kViewerStartMs; waited += 50) {
      SleepMs(50);
      picture = ReadWindowPixels(driver, window);
    }
    for (int i = 0; i < 50; ++i) {
      SleepMs(100);
      const WindowPixels later = ReadWindowPixels(driver, window);
      if (DifferentPixels(later, picture) == 0) break;
      picture = later;
    }
    return picture;
  }

  // A run of the viewer from its start to Escape: its picture once the model
  // is loaded and the picture holds still, its progress text, its status.
  struct ViewerRun {
    WindowPixels picture;
    std::string progress;
    int status;
  };

  // Runs the viewer in directory; with linuxBuild the one built here,
  // whatever VIEWER_COMMAND says, for comparing another build with it. With
  // shows, the model shows at start, so an all-black window is from before
  // the first frame.
  ViewerRun RunUntilEscape(const std::string& directory, bool linuxBuild = false, bool shows = false) {
    const std::string out = scratch + "/stdout";
    const std::string err = scratch + "/stderr";
    const pid_t pid = Launch(linuxBuild ? LinuxViewerProcess(directory, out, err) : ViewerProcess(directory, out, err));
    ViewerRun result{{}, "", -1};
    const WindowId window = FindViewerWindow(pid);
    if (window == 0) {
      ADD_FAILURE() << "no window from the viewer in " << directory << "; stderr: " << Stderr();
      return result;
    }
    result.picture = LoadedPicture(window, shows);
    result.status = PressEscapeAndWait(pid);
    result.progress = Stdout();
    return result;
  }

  // How long either build may take to show its window, and to end.
  static constexpr int kViewerStartMs = 10000;
  static constexpr int kViewerEndMs = 5000;
  static constexpr int kKeyHoldMs = 200;  // long enough for frames of either build to sample a key

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
