// The real viewer under Memcheck on the shipped model: it loads, draws some
// frames, ends on Escape with status 0, and Memcheck finds no invalid read or
// write and no block that the viewer lost. What the GL stack, SDL or X lose
// is suppressed by library (see memcheck.supp).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <sstream>
#include <string>

#include "tests/support/display_test.h"

namespace {

// Under Memcheck the software driver is some hundred times slower: opening
// takes seconds and a frame up to a second.
constexpr int kWindowTimeoutMs = 60000;
constexpr int kFirstPictureTimeoutMs = 60000;
constexpr int kFramesMs = 2000;
constexpr int kExitTimeoutMs = 60000;
// What Memcheck ends with when it found an error.
constexpr int kErrorStatus = 99;

// The lines of Memcheck's report that tell of an error of any kind.
std::string ErrorLines(const std::string& report) {
  std::istringstream lines(report);
  std::string found;
  for (std::string line; std::getline(lines, line);) {
    for (const char* mark : {"Invalid read", "Invalid write", "Invalid free", "Mismatched free",
                             "uninitialised", "definitely lost in loss record", "Source and destination overlap"}) {
      if (line.find(mark) != std::string::npos) found += line + "\n";
    }
  }
  return found;
}

using ViewerUnderMemcheck = DisplayTest;

TEST_F(ViewerUnderMemcheck, SampleModelRunsCleanAndEndsOnEscape) {
  if (!ViewerIsLinuxBuild()) GTEST_SKIP() << "Memcheck runs the Linux build";
  const std::string report = scratch + "/memcheck.txt";
  ChildProcess launch = ViewerProcess(SAMPLE_MODEL_DIRECTORY, scratch + "/stdout", scratch + "/stderr");
  launch.arguments.insert(launch.arguments.begin(), launch.program);
  launch.arguments.insert(launch.arguments.begin(),
                          {"--tool=memcheck", "--error-exitcode=" + std::to_string(kErrorStatus), "--leak-check=full",
                           "--errors-for-leak-kinds=definite", "--show-leak-kinds=definite",
                           // Frames of the driver, which is unloaded at the end, keep
                           // their library's name, so that suppressions can match them.
                           "--keep-debuginfo=yes", "--num-callers=40", "--suppressions=" SUPPRESSIONS_FILE,
                           "--log-file=" + report});
  launch.program = VALGRIND_BINARY;
  launch.environment = {
      // Mesa's llvmpipe, rasterising on this thread: the same driver on every
      // machine, and no threads for Memcheck to serialise.
      {"LIBGL_ALWAYS_SOFTWARE", "1"},
      {"GALLIUM_DRIVER", "llvmpipe"},
      {"LP_NUM_THREADS", "0"},
      // No session bus: SDL's attempt to reach one fails at once instead of
      // starting a bus daemon of its own, whatever the machine has.
      {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"},
  };
  const auto startTime = std::chrono::steady_clock::now();
  const pid_t pid = Launch(launch);
  ASSERT_GT(pid, 0);

  // Memcheck runs the viewer in its own process, so the window carries its pid.
  const WindowId window = FindWindowOfProcess(driver, pid, kWindowTimeoutMs);
  ASSERT_NE(window, 0u) << "no viewer window; stderr: " << Stderr();

  // The model is loaded before the first frame; then the ship shows.
  bool shown = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFirstPictureTimeoutMs);
  while (!shown && ProcessRunning(pid) && std::chrono::steady_clock::now() < deadline) {
    SleepMs(250);
    const WindowPixels pixels = ReadWindowPixels(driver, window);
    shown = LitPixels(pixels) > pixels.rgb.size() / 20;
  }
  EXPECT_TRUE(shown) << "the model never showed";
  SleepMs(kFramesMs);  // some more frames

  // A frame takes long here: hold Escape until the viewer has ended.
  PressKey(driver, "Escape");
  const int status = WaitForExit(pid, kExitTimeoutMs);
  ReleaseKey(driver, "Escape");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - startTime).count();
  std::cout << "viewer under Memcheck: " << seconds << " s from start to end\n";

  const std::string memcheck = ReadWholeFile(report);
  EXPECT_EQ(status, 0) << (status == kErrorStatus ? "Memcheck found errors" : "the viewer did not end cleanly")
                       << "; Memcheck's report:\n" << memcheck;
  EXPECT_EQ(ErrorLines(memcheck), "");
  EXPECT_NE(memcheck.find("ERROR SUMMARY: 0 errors"), std::string::npos) << memcheck;
  EXPECT_TRUE(EndsWith(Stdout(), " (+1 we count from zero..)\r\nDone!\r\n"));
}

}  // namespace
