// The viewer binary on hostile files: it opens its window, keeps running,
// ends with status 0 on Escape and never crashes. What the loader makes of
// each kind of file: tests/model.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "tests/support/display_test.h"
#include "tests/support/hostile_files.h"

namespace {

constexpr int kLoadTimeoutMs = 30000;

using HostileViewer = DisplayTest;

// Every capacity overflowed at once, indices that no entry answers to, a face
// of 10,000 corners, a million face lines, garbage lines and bytes; a library
// of 25 materials whose textures are garbage, absurd headers, a directory, a
// pipe and a device.
TEST_F(HostileViewer, HostileSetShowsAndEndsOnEscape) {
  WriteHostileTextures(run);
  {
    std::ofstream model(run + "/enterprise.obj", std::ios::binary);
    model << OverflowingModel(kEveryCapacityOverflowed);
    for (int i = 0; i < 1000000; ++i) model << "f 1/1/1 2/2/2 3/3/3\n";
    model << GarbageLines(3000, 5) << GarbageBytes(1 << 16, 6);
  }
  WriteFile(run + "/enterprise.mtl", OverflowingLibrary(25, 300));

  const pid_t pid = LaunchViewer();
  ASSERT_GT(pid, 0);
  const WindowId window = FindViewerWindow(pid);
  ASSERT_NE(window, 0u) << "no viewer window; stderr: " << Stderr();
  // "Done!" is handed out before the first frame.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLoadTimeoutMs);
  while (!EndsWith(Stdout(), "Done!\r\n") && ProcessRunning(pid) && std::chrono::steady_clock::now() < deadline) {
    SleepMs(50);
  }
  SleepMs(700);  // some frames of whatever the record holds
  EXPECT_TRUE(ProcessRunning(pid)) << "the viewer ended before Escape; stderr: " << Stderr();
  const WindowPixels pixels = ReadWindowPixels(driver, window);
  EXPECT_EQ(pixels.width, 640);
  EXPECT_EQ(pixels.height, 480);
  EXPECT_EQ(PressEscapeAndWait(pid), 0) << "stderr: " << Stderr();

  const std::string progress = Stdout();
  EXPECT_NE(progress.find(" materials beyond the first 20\r\nLoading : enterprise.obj\r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nCannot load texture file [folder.bmp] \r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nIgnored 9963 corners beyond the first 41 of a face\r\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(progress, "\r\nFaces: 600 (+1 we count from zero..)\r\nDone!\r\n"));
  // The refused buffers are reported on standard error, one line each.
  const std::string errors = Stderr();
  EXPECT_NE(errors.find("[largest.bmp]"), std::string::npos);
  EXPECT_NE(errors.find("[wide.bmp]"), std::string::npos);
  EXPECT_NE(errors.find("[over.bmp]"), std::string::npos);
}

}  // namespace
