// The viewer binary from outside: its window, its caption, its keys, its end.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/display_test.h"

namespace {

using ViewerTest = DisplayTest;

TEST_F(ViewerTest, EmptyDirectoryShowsBlackUntilEscapeEndsWithZero) {
  std::string firstStdout;
  std::string firstStderr;
  const std::vector<std::vector<std::string>> argumentLists = {
      {}, {"enterprise.obj"}, {"--help", "-fullscreen", "a b", ""}};
  for (const auto& arguments : argumentLists) {
    SCOPED_TRACE(arguments.empty() ? "no arguments" : arguments.front());
    const pid_t pid = LaunchViewer("", "", arguments);
    const WindowId window = FindViewerWindow(pid);
    ASSERT_NE(window, 0u);
    SleepMs(200);  // some frames
    const WindowPixels pixels = ReadWindowPixels(driver, window);
    EXPECT_EQ(pixels.width, 640);
    EXPECT_EQ(pixels.height, 480);
    EXPECT_EQ(LitPixels(pixels), 0u);
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
    // The arguments change nothing, the progress text and the messages included.
    if (&arguments == &argumentLists.front()) {
      firstStdout = Stdout();
      firstStderr = Stderr();
    } else {
      EXPECT_EQ(Stdout(), firstStdout);
      EXPECT_EQ(Stderr(), firstStderr);
    }
  }
}

// The program file's name less its last extension, however long its path:
// the path is read whole, not from a fixed buffer.
TEST_F(ViewerTest, CaptionIsTheProgramFileName) {
  std::string longDirectory = scratch;
  while (longDirectory.size() < 300) longDirectory += "/a-directory-with-a-rather-long-name";
  std::filesystem::create_directories(longDirectory);
  const std::string copy = longDirectory + "/my.viewer.bin";
  std::filesystem::copy_file(ViewerProgramFile(), copy);
  chmod(copy.c_str(), 0755);

  for (const auto& [programFile, caption] : {std::pair<std::string, std::string>{"", "viewer"}, {copy, "my.viewer"}}) {
    SCOPED_TRACE(caption);
    const pid_t pid = LaunchViewer("", programFile);
    const WindowId window = FindViewerWindow(pid);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(WindowTitle(driver, window), caption);
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
  }
}

// A close request (what a window manager sends for the close box, the window
// menu and Alt+F4) leaves the window open. Alt+Enter switches the display to
// 640 x 480 and back; Escape in full screen ends the viewer with the
// desktop's mode back.
TEST_F(ViewerTest, CloseRequestLeavesItOpenAndAltEnterSwitchesTheDisplay) {
  int desktopWidth = 0;
  int desktopHeight = 0;
  GetDisplayModeSize(driver, desktopWidth, desktopHeight);
  ASSERT_NE(desktopWidth, 640);
  ASSERT_TRUE(DisplayOffersMode(driver, 640, 480)) << "no 640 x 480 mode; run under tools/with-xvfb.sh";
  const pid_t pid = LaunchViewer();
  const WindowId window = FindViewerWindow(pid);
  ASSERT_NE(window, 0u);
  SendCloseRequest(driver, window);
  SleepMs(300);
  EXPECT_TRUE(ProcessRunning(pid)) << "a close request ended the viewer";
  EXPECT_TRUE(GetWindowGeometry(driver, window).viewable) << "a close request closed the window";

  for (int size : {640, desktopWidth, 640}) {
    PressAltEnter();
    EXPECT_TRUE(WaitForDisplayMode(driver, size, size == 640 ? 480 : desktopHeight, 3000)) << "to width " << size;
    SleepMs(500);  // the window takes the focus anew after a switch
  }
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
  EXPECT_TRUE(WaitForDisplayMode(driver, desktopWidth, desktopHeight, 0)) << "the desktop's mode is back";
}

TEST_F(ViewerTest, NoDisplayEndsAtOnceWithAMessage) {
  if (!ViewerIsLinuxBuild()) GTEST_SKIP() << "X and SDL's video drivers are the Linux build's";
  // No X display at all, then one that nobody serves.
  for (const char* display : {"", ":987"}) {
    SCOPED_TRACE(display);
    ChildProcess viewer = ViewerProcess(run, scratch + "/stdout", scratch + "/stderr");
    // X, then SDL's fallback that draws into memory and reads no keys; a
    // console that SDL could draw on directly takes no part.
    viewer.environment = {{"SDL_VIDEODRIVER", "x11,offscreen"}};
    viewer.unsetEnvironment = {"WAYLAND_DISPLAY"};
    if (*display == '\0') {
      viewer.unsetEnvironment.push_back("DISPLAY");
    } else {
      viewer.environment.push_back({"DISPLAY", display});
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Launch(viewer);
    EXPECT_EQ(WaitForExit(pid, 1000), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(Stderr().rfind("viewer: cannot open a 640 x 480 OpenGL window: no display to show a window on: ", 0), 0u)
        << Stderr();
    // What was tried, in the user's terms.
    const std::string tried = *display == '\0' ? "DISPLAY is not set" : std::string("DISPLAY=") + display + " could not be used";
    EXPECT_NE(Stderr().find(tried), std::string::npos) << Stderr();
    EXPECT_EQ(Stdout(), "");
  }
}

// Windowed, and in full screen, where the desktop's mode must come back.
TEST_F(ViewerTest, TerminationSignalsEndItInOrderWithTheConventionalStatus) {
  if (!ViewerIsLinuxBuild()) GTEST_SKIP() << "signals are the Linux build's";
  int desktopWidth = 0;
  int desktopHeight = 0;
  GetDisplayModeSize(driver, desktopWidth, desktopHeight);
  ASSERT_NE(desktopWidth, 640);
  std::vector<std::pair<int, bool>> runs = {{SIGTERM, false}};
  if (DisplayOffersMode(driver, 640, 480)) runs.push_back({SIGINT, true});

  for (const auto& [signalNumber, inFullScreen] : runs) {
    SCOPED_TRACE(testing::Message() << "signal " << signalNumber << (inFullScreen ? " in full screen" : ""));
    const pid_t pid = LaunchViewer();
    ASSERT_NE(FindViewerWindow(pid), 0u);
    if (inFullScreen) {
      PressAltEnter();
      ASSERT_TRUE(WaitForDisplayMode(driver, 640, 480, 2000));
    } else {
      SleepMs(100);
    }
    kill(pid, signalNumber);
    EXPECT_EQ(WaitForExit(pid, kViewerEndMs), 128 + signalNumber);
    EXPECT_TRUE(WaitForDisplayMode(driver, desktopWidth, desktopHeight, 0)) << "the desktop's mode is back";
  }
}

}  // namespace
