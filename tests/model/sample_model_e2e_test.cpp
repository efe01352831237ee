// The viewer binary in the shipped model's directory: it reads the whole
// model, shows it, turns it under the keys and ends on Escape.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/display_test.h"

namespace {

std::size_t LitPixels(const WindowPixels& pixels) {
  std::size_t lit = 0;
  for (uint32_t rgb : pixels.rgb) lit += (rgb & 0xFFFFFF) != 0;
  return lit;
}

std::size_t DifferentPixels(const WindowPixels& a, const WindowPixels& b) {
  if (a.rgb.size() != b.rgb.size()) return a.rgb.size() + b.rgb.size();
  std::size_t different = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) different += a.rgb[i] != b.rgb[i];
  return different;
}

using SampleModelInTheViewer = DisplayTest;

TEST_F(SampleModelInTheViewer, ShowsTurnsAndEnds) {
  ProcessSpec launch;
  launch.program = VIEWER_BINARY;
  launch.directory = SAMPLE_MODEL_DIRECTORY;
  launch.stdoutPath = scratch + "/progress.txt";
  const pid_t pid = Launch(launch);
  ASSERT_GT(pid, 0);
  const WindowId window = FindWindowOfProcess(driver, pid, 10000);
  ASSERT_NE(window, 0u) << "no viewer window";
  SleepMs(1000);  // the model is loaded before the first frame; let a few frames pass

  const WindowPixels before = ReadWindowPixels(driver, window);
  ASSERT_EQ(before.width, 640);
  ASSERT_EQ(before.height, 480);
  // A ship framed by the start view covers a good part of the window.
  EXPECT_GT(LitPixels(before), before.rgb.size() / 20);

  HoldKey(driver, "Left", 500);
  SleepMs(200);
  const WindowPixels after = ReadWindowPixels(driver, window);
  EXPECT_GT(DifferentPixels(before, after), before.rgb.size() / 100) << "Left did not turn the model";

  HoldKey(driver, "Escape", 200);
  const int status = WaitForExit(pid, 5000);
  EXPECT_EQ(status, 0);

  const std::string progress = ReadWholeFile(scratch + "/progress.txt");
  EXPECT_EQ(progress.find("Could not open"), std::string::npos);
  EXPECT_EQ(progress.find("Cannot load texture file"), std::string::npos);
  EXPECT_EQ(progress.find("Ignored"), std::string::npos);
  EXPECT_NE(progress.find("Loading : enterprise.obj\r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nUsing: "), std::string::npos);
  const std::string ending = " (+1 we count from zero..)\r\nDone!\r\n";
  ASSERT_GT(progress.size(), ending.size());
  EXPECT_EQ(progress.substr(progress.size() - ending.size()), ending);
}

}  // namespace
