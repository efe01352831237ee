// The real window: its size and place, its pixel format, close requests, the
// full-screen switch and the screen saver. (Its caption: the e2e tests.)
#include <GL/gl.h>

#include <vector>

#include "platform/scancodes.h"
#include "platform/screen.h"
#include "tests/support/display_test.h"

namespace {

using WindowTest = ScreenTest;

TEST_F(WindowTest, ContextHasTheAskedPixelFormat) {
  GLint bits[4] = {};
  glGetIntegerv(GL_RED_BITS, &bits[0]);
  glGetIntegerv(GL_GREEN_BITS, &bits[1]);
  glGetIntegerv(GL_BLUE_BITS, &bits[2]);
  glGetIntegerv(GL_ALPHA_BITS, &bits[3]);
  for (GLint channel : bits) EXPECT_EQ(channel, 8);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
  GLboolean doubleBuffered = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_EQ(doubleBuffered, GL_TRUE);
}

TEST_F(WindowTest, FixedClientAreaCentredOnTheScreen) {
  Settle();
  const WindowGeometry geometry = GetWindowGeometry(driver, window);
  EXPECT_TRUE(geometry.viewable);
  EXPECT_EQ(geometry.width, 640);
  EXPECT_EQ(geometry.height, 480);
  int screenWidth = 0;
  int screenHeight = 0;
  GetDisplayModeSize(driver, screenWidth, screenHeight);
  EXPECT_EQ(geometry.x, (screenWidth - 640) / 2);
  EXPECT_EQ(geometry.y, (screenHeight - 480) / 2);

  // The window manager is told the only size there is.
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
  ASSERT_TRUE(GetWindowSizeLimits(driver, window, minWidth, minHeight, maxWidth, maxHeight));
  EXPECT_EQ(minWidth, 640);
  EXPECT_EQ(maxWidth, 640);
  EXPECT_EQ(minHeight, 480);
  EXPECT_EQ(maxHeight, 480);
}

TEST_F(WindowTest, CloseRequestLeavesTheWindowOpen) {
  Settle();
  SendCloseRequest(driver, window);
  Flip(5);
  SendCloseRequest(driver, window);
  Flip(5);
  EXPECT_TRUE(ScreenIsOpen());
  EXPECT_EQ(TerminationStatus(), 0) << "a close request asks the viewer to end";
  EXPECT_TRUE(GetWindowGeometry(driver, window).viewable);
  PressKey(driver, "Escape");
  Flip(2);
  EXPECT_EQ(KeyDown(kScancodeEscape), -1) << "the keys still work";
}

// A texture and some state that must live through the full-screen switch.
struct ContextMarks {
  GLuint texture = 0;
  std::vector<GLubyte> texels{10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 0, 100, 110, 120, 255};
};

ContextMarks MarkContext() {
  ContextMarks marks;
  glGenTextures(1, &marks.texture);
  glBindTexture(GL_TEXTURE_2D, marks.texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_BGRA, GL_UNSIGNED_BYTE, marks.texels.data());
  glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
  return marks;
}

void ExpectContextKept(const ContextMarks& marks) {
  ASSERT_NE(glGetString(GL_VERSION), nullptr) << "no context is current";
  EXPECT_EQ(glIsTexture(marks.texture), GL_TRUE);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), marks.texture);
  std::vector<GLubyte> read(marks.texels.size());
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, read.data());
  EXPECT_EQ(read, marks.texels);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.25f);
  EXPECT_EQ(clear[2], 0.75f);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
}

class FullScreenTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (HasFatalFailure()) return;
    GetDisplayModeSize(driver, desktopWidth, desktopHeight);
  }

  void TearDown() override {
    if (driver != nullptr && !removedModes.empty()) RestoreDisplayModes(driver, removedModes);
    ScreenTest::TearDown();
  }

  void AltEnter() {
    PressKey(driver, "Alt_L");
    PressKey(driver, "Return");
    Flip(3);
    ReleaseKey(driver, "Return");
    ReleaseKey(driver, "Alt_L");
    Flip(3);
  }

  void ExpectDisplayMode(int width, int height) { EXPECT_TRUE(WaitForDisplayMode(driver, width, height, 0)); }

  void ExpectWindowAsBefore(const WindowGeometry& before) {
    const WindowGeometry now = GetWindowGeometry(driver, window);
    EXPECT_EQ(now.x, before.x);
    EXPECT_EQ(now.y, before.y);
    EXPECT_EQ(now.width, 640);
    EXPECT_EQ(now.height, 480);
    EXPECT_TRUE(now.viewable);
  }

  int desktopWidth = 0;
  int desktopHeight = 0;
  std::vector<unsigned long> removedModes;
};

TEST_F(FullScreenTest, AltEnterSwitchesAndBackWithTheSameContext) {
  Settle();
  const bool offered = DisplayOffersMode(driver, 640, 480);
  const ContextMarks marks = MarkContext();
  const WindowGeometry before = GetWindowGeometry(driver, window);

  AltEnter();
  EXPECT_EQ(ScreenIsFullScreen(), offered);
  if (offered) {
    ExpectDisplayMode(640, 480);
    const WindowGeometry now = GetWindowGeometry(driver, window);  // covering the display
    EXPECT_EQ(now.x, 0);
    EXPECT_EQ(now.y, 0);
    EXPECT_EQ(now.width, 640);
    EXPECT_EQ(now.height, 480);
  } else {
    ExpectDisplayMode(desktopWidth, desktopHeight);
    ExpectWindowAsBefore(before);
  }
  ExpectContextKept(marks);
  PressKey(driver, "Left");
  Flip(2);
  EXPECT_EQ(KeyDown(kScancodeLeft), -1) << "the keys work in full screen";
  ReleaseKey(driver, "Left");

  AltEnter();
  EXPECT_FALSE(ScreenIsFullScreen());
  ExpectDisplayMode(desktopWidth, desktopHeight);
  ExpectWindowAsBefore(before);
  ExpectContextKept(marks);
}

TEST_F(FullScreenTest, DisplayWithoutTheModeRefusesTheSwitch) {
  // The display modes are read when the window opens.
  ScreenClose();
  removedModes = RemoveDisplayModes(driver, 640, 480);
  ASSERT_FALSE(DisplayOffersMode(driver, 640, 480));
  Open();
  Settle();
  const ContextMarks marks = MarkContext();
  const WindowGeometry before = GetWindowGeometry(driver, window);

  AltEnter();
  EXPECT_FALSE(ScreenIsFullScreen());
  ExpectDisplayMode(desktopWidth, desktopHeight);
  ExpectWindowAsBefore(before);
  ExpectContextKept(marks);
}

TEST_F(FullScreenTest, MaximisingSwitchesToFullScreen) {
  Settle();
  const bool offered = DisplayOffersMode(driver, 640, 480);
  const ContextMarks marks = MarkContext();
  MarkMaximised(driver, window);
  Flip(3);
  EXPECT_EQ(ScreenIsFullScreen(), offered);
  ExpectDisplayMode(offered ? 640 : desktopWidth, offered ? 480 : desktopHeight);
  ExpectContextKept(marks);
  if (offered) {
    AltEnter();
    EXPECT_FALSE(ScreenIsFullScreen());
    ExpectDisplayMode(desktopWidth, desktopHeight);
  }
}

TEST_F(FullScreenTest, ClosingInFullScreenRestoresTheDisplayMode) {
  Settle();
  if (!DisplayOffersMode(driver, 640, 480)) GTEST_SKIP() << "the display has no 640 x 480 mode";
  AltEnter();
  ASSERT_TRUE(ScreenIsFullScreen());
  ScreenClose();
  ExpectDisplayMode(desktopWidth, desktopHeight);
}

TEST_F(WindowTest, ScreenSaverIsOffWhileOpenAndBackAfterClosing) {
  const int timeoutWas = SetScreenSaverTimeout(driver, 1);
  for (int i = 0; i < 60; ++i) Flip();  // 1.5 s without input
  const bool showingWhileOpen = ScreenSaverShowing(driver);
  ScreenClose();
  SleepMs(1500);
  const bool showingAfterClose = ScreenSaverShowing(driver);
  SetScreenSaverTimeout(driver, timeoutWas);
  EXPECT_FALSE(showingWhileOpen);
  EXPECT_TRUE(showingAfterClose);
}

}  // namespace
