// The viewer binary from outside: its window, its keys, its end.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/display_test.h"

namespace {

constexpr int kWindowTimeoutMs = 5000;
constexpr int kExitTimeoutMs = 3000;

class ViewerTest : public DisplayTest {
 protected:
  // Starts the viewer in the test's empty directory; its output goes to files there.
  pid_t Start(const std::vector<std::string>& arguments = {}, const std::string& program = VIEWER_PATH) {
    ProcessSpec launch;
    launch.program = program;
    launch.arguments = arguments;
    launch.directory = scratch + "/run";
    std::filesystem::create_directories(launch.directory);
    launch.stdoutPath = scratch + "/stdout";
    launch.stderrPath = scratch + "/stderr";
    return Launch(launch);
  }

  // The viewer's window once it has the keyboard focus, so that keys sent
  // now reach it; 0 when none came.
  WindowId FindViewerWindow(pid_t pid) {
    const WindowId window = FindWindowOfProcess(driver, pid, kWindowTimeoutMs);
    if (window == 0 || !WaitForFocus(driver, window, kWindowTimeoutMs)) return 0;
    return window;
  }

  // Presses Escape long enough for a frame to sample it; the status the viewer ends with.
  int PressEscapeAndWait(pid_t pid) {
    HoldKey(driver, "Escape", 150);
    return WaitForExit(pid, kExitTimeoutMs);
  }

  bool AllBlack(WindowId window) {
    const WindowPixels pixels = ReadWindowPixels(driver, window);
    if (pixels.width != 640 || pixels.height != 480) return false;
    for (uint32_t pixel : pixels.rgb) {
      if (pixel != 0) return false;
    }
    return true;
  }

  bool WaitForDisplayMode(int width, int height, int timeoutMs) {
    for (int waited = 0;; waited += 20) {
      int currentWidth = 0;
      int currentHeight = 0;
      GetDisplayModeSize(driver, currentWidth, currentHeight);
      if (currentWidth == width && currentHeight == height) return true;
      if (waited >= timeoutMs) return false;
      SleepMs(20);
    }
  }

  std::string Stdout() const { return ReadWholeFile(scratch + "/stdout"); }
  std::string Stderr() const { return ReadWholeFile(scratch + "/stderr"); }
};

TEST_F(ViewerTest, EmptyDirectoryShowsBlackUntilEscapeEndsWithZero) {
  std::string firstStdout;
  const std::vector<std::vector<std::string>> argumentLists = {
      {}, {"enterprise.obj"}, {"--help", "-fullscreen", "a b", ""}};
  for (const auto& arguments : argumentLists) {
    SCOPED_TRACE(arguments.empty() ? "no arguments" : arguments.front());
    const pid_t pid = Start(arguments);
    const WindowId window = FindViewerWindow(pid);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(WindowTitle(driver, window), "viewer");
    const WindowGeometry geometry = GetWindowGeometry(driver, window);
    EXPECT_EQ(geometry.width, 640);
    EXPECT_EQ(geometry.height, 480);
    SleepMs(200);  // some frames
    EXPECT_TRUE(AllBlack(window));
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
    EXPECT_EQ(Stderr(), "");
    // The arguments change nothing, the progress text included.
    if (&arguments == &argumentLists.front()) {
      firstStdout = Stdout();
    } else {
      EXPECT_EQ(Stdout(), firstStdout);
    }
  }
}

TEST_F(ViewerTest, CloseRequestDoesNotEndIt) {
  const pid_t pid = Start();
  const WindowId window = FindViewerWindow(pid);
  ASSERT_NE(window, 0u);
  SendCloseRequest(driver, window);
  SleepMs(300);
  SendCloseRequest(driver, window);
  EXPECT_EQ(WaitForExit(pid, 500), -1) << "still running";
  EXPECT_TRUE(GetWindowGeometry(driver, window).viewable);
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
}

TEST_F(ViewerTest, NoDisplayEndsAtOnceWithAMessage) {
  // No X display at all, then one that nobody serves.
  for (const char* display : {"", ":987"}) {
    SCOPED_TRACE(display);
    ProcessSpec launch;
    launch.program = VIEWER_PATH;
    launch.directory = scratch;
    launch.stdoutPath = scratch + "/stdout";
    launch.stderrPath = scratch + "/stderr";
    // X, then SDL's fallback that draws into memory and reads no keys; a
    // console that SDL could draw on directly takes no part.
    launch.environment = {{"SDL_VIDEODRIVER", "x11,offscreen"}};
    launch.unsetEnvironment = {"WAYLAND_DISPLAY"};
    if (*display == '\0') {
      launch.unsetEnvironment.push_back("DISPLAY");
    } else {
      launch.environment.push_back({"DISPLAY", display});
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Launch(launch);
    EXPECT_EQ(WaitForExit(pid, 1000), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(Stderr().rfind("viewer: cannot open a 640 x 480 OpenGL window", 0), 0u) << Stderr();
    EXPECT_EQ(Stdout(), "");
  }
}

TEST_F(ViewerTest, TerminationSignalsEndItWithTheConventionalStatus) {
  for (int signalNumber : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signalNumber);
    const pid_t pid = Start();
    ASSERT_NE(FindViewerWindow(pid), 0u);
    SleepMs(100);
    kill(pid, signalNumber);
    EXPECT_EQ(WaitForExit(pid, kExitTimeoutMs), 128 + signalNumber);
  }
}

TEST_F(ViewerTest, SignalInFullScreenRestoresTheDisplayMode) {
  if (!DisplayOffersMode(driver, 640, 480)) GTEST_SKIP() << "the display has no 640 x 480 mode";
  int desktopWidth = 0;
  int desktopHeight = 0;
  GetDisplayModeSize(driver, desktopWidth, desktopHeight);
  ASSERT_NE(desktopWidth, 640);

  for (int signalNumber : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signalNumber);
    const pid_t pid = Start();
    ASSERT_NE(FindViewerWindow(pid), 0u);
    PressKey(driver, "Alt_L");
    HoldKey(driver, "Return", 150);
    ReleaseKey(driver, "Alt_L");
    ASSERT_TRUE(WaitForDisplayMode(640, 480, 2000));
    kill(pid, signalNumber);
    EXPECT_EQ(WaitForExit(pid, kExitTimeoutMs), 128 + signalNumber);
    EXPECT_TRUE(WaitForDisplayMode(desktopWidth, desktopHeight, 0)) << "the desktop's mode is back";
  }
}

TEST_F(ViewerTest, CaptionComesFromTheWholeProgramPath) {
  // A path far longer than 127 characters, with full stops in the name.
  std::string longDirectory = scratch;
  while (longDirectory.size() < 300) longDirectory += "/a-directory-with-a-rather-long-name";
  std::filesystem::create_directories(longDirectory);
  const std::string program = longDirectory + "/my.viewer.bin";
  std::filesystem::copy_file(VIEWER_PATH, program);
  chmod(program.c_str(), 0755);

  const pid_t pid = Start({}, program);
  const WindowId window = FindViewerWindow(pid);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(WindowTitle(driver, window), "my.viewer");
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
}

}  // namespace
