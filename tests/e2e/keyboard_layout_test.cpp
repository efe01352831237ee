// The viewer's keys under other keyboard layouts: Q and A are the keys that
// type q and a, or, in a layout without Latin letters, the keys at their
// places on a US keyboard; the arrows and Escape are the same in every layout.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/display_test.h"
#include "tests/support/locales.h"

namespace {

using ViewerUnderKeyboardLayouts = DisplayTest;

// The layout of every client of the X server, as a person sets it.
bool SetKeyboardLayout(const std::string& layout) {
  ChildProcess setxkbmap;
  setxkbmap.program = "setxkbmap";
  setxkbmap.arguments = {"-layout", layout};
  return WaitForExit(StartProcess(setxkbmap), 5000) == 0;
}

// The server's layout is shared by the tests that come after this one.
struct UsLayoutAfterwards {
  ~UsLayoutAfterwards() { SetKeyboardLayout("us"); }
};

TEST_F(ViewerUnderKeyboardLayouts, QAndAMoveTheModelArrowsAndEscapeWork) {
  const UsLayoutAfterwards restore;
  ASSERT_TRUE(SetKeyboardLayout("us")) << "setxkbmap failed";
  // Keys are pressed by their place: a connection opened now reads the places
  // of q and a on a US keyboard.
  CloseDriverDisplay(driver);
  driver = OpenDriverDisplay();
  ASSERT_NE(driver, nullptr);
  const int qPlace = KeycodeOf(driver, "q");
  const int aPlace = KeycodeOf(driver, "a");
  ASSERT_NE(qPlace, 0);
  ASSERT_NE(aPlace, 0);

  auto hold = [this](int keycode, int holdMs) {
    PressKeycode(driver, keycode);
    SleepMs(holdMs);
    ReleaseKeycode(driver, keycode);
    SleepMs(200);  // the last frames of the move reach the window
  };
  // The key that the layout calls Q brings the model nearer, so that it covers
  // more of the window; the one it calls A moves it back beyond where it was.
  auto expectNearerThenFarther = [&](WindowId window, int nearerKey, int fartherKey) {
    const std::size_t before = LitPixels(ReadWindowPixels(driver, window));
    hold(nearerKey, 300);
    const std::size_t nearer = LitPixels(ReadWindowPixels(driver, window));
    EXPECT_GT(nearer, before) << "Q did not bring the model nearer";
    hold(fartherKey, 600);
    EXPECT_LT(LitPixels(ReadWindowPixels(driver, window)), before) << "A did not move the model farther";
  };

  struct Layout {
    const char* name;
    int nearerKey;  // where the layout has Q
    int fartherKey;
  };
  // AZERTY types a where a US keyboard has q, and q where it has a; the
  // Cyrillic layout types neither, and Q and A stay at the US places.
  for (const Layout& layout :
       {Layout{"us", qPlace, aPlace}, Layout{"fr", aPlace, qPlace}, Layout{"ru", qPlace, aPlace}}) {
    SCOPED_TRACE(layout.name);
    ASSERT_TRUE(SetKeyboardLayout(layout.name)) << "setxkbmap failed";
    ChildProcess viewer = ViewerProcess(SampleModelDirectory(), scratch + "/stdout", scratch + "/stderr");
    // Wine translates a key's symbols into the locale's own character set,
    // one byte each: in a UTF-8 locale it cannot place a Cyrillic key at all
    // and gives the keys spare virtual keys and made-up scan codes. In an
    // 8-bit Cyrillic locale it maps the layout as Windows' Russian layout
    // does: Q and A are the keys at the US places, which viewer.exe must read
    // by what they mean there, not by the letter they type.
    if (!ViewerIsLinuxBuild() && std::string(layout.name) == "ru") {
      ASSERT_TRUE(MakeLocale(scratch + "/locales", "ru_RU", "KOI8-R"));
      viewer.environment = {{"LOCPATH", scratch + "/locales"}, {"LC_ALL", "ru_RU.KOI8-R"}};
    }
    const pid_t pid = Launch(viewer);
    const WindowId window = FindViewerWindow(pid);
    ASSERT_NE(window, 0u);
    // The arrows first: Wine follows a later change of layout only in a
    // program that has taken a key before it.
    const WindowPixels start = LoadedPicture(window, true);
    HoldKey(driver, "Left", 300);
    SleepMs(200);
    EXPECT_GT(DifferentPixels(start, ReadWindowPixels(driver, window)), start.rgb.size() / 100)
        << "Left did not turn the model";
    expectNearerThenFarther(window, layout.nearerKey, layout.fartherKey);

    if (std::string(layout.name) == "ru") {
      SCOPED_TRACE("switched to fr while running");
      ASSERT_TRUE(SetKeyboardLayout("fr")) << "setxkbmap failed";
      SleepMs(300);
      expectNearerThenFarther(window, aPlace, qPlace);
    }
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
  }
}

}  // namespace
