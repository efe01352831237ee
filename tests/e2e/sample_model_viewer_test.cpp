// The viewer binary in the shipped model's directory: it reads the whole
// model, shows it, turns it under the keys and ends on Escape.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/display_test.h"

namespace {

using SampleModelInTheViewer = DisplayTest;

TEST_F(SampleModelInTheViewer, ShowsTurnsAndEnds) {
  const pid_t pid = LaunchViewer(SampleModelDirectory());
  ASSERT_GT(pid, 0);
  const WindowId window = FindViewerWindow(pid);
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

  EXPECT_EQ(PressEscapeAndWait(pid), 0);

  const std::string progress = Stdout();
  EXPECT_EQ(progress.find("Could not open"), std::string::npos);
  EXPECT_EQ(progress.find("Cannot load texture file"), std::string::npos);
  EXPECT_EQ(progress.find("Ignored"), std::string::npos);
  EXPECT_NE(progress.find("Loading : enterprise.obj\r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nUsing: "), std::string::npos);
  EXPECT_TRUE(EndsWith(progress, " (+1 we count from zero..)\r\nDone!\r\n"));
  EXPECT_EQ(Stderr(), "");
}

// Started with standard input, output or error closed, as some launchers and
// service managers leave them: the display connection must not take the
// free number, where the progress text or a message would be written into it.
TEST_F(SampleModelInTheViewer, ShowsTheModelWithAStandardStreamClosed) {
  for (int closed : {0, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "descriptor " << closed << " closed");
    ChildProcess viewer = ViewerProcess(SampleModelDirectory(), scratch + "/stdout", scratch + "/stderr");
    viewer.closedDescriptors = {closed};
    const pid_t pid = Launch(viewer);
    const WindowId window = FindViewerWindow(pid);
    ASSERT_NE(window, 0u) << "no viewer window";
    SleepMs(1000);  // loaded, and some frames drawn
    const WindowPixels picture = ReadWindowPixels(driver, window);
    EXPECT_GT(LitPixels(picture), picture.rgb.size() / 20);
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
  }
}

}  // namespace
