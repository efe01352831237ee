// The view state and its seven key rules, frame by frame.
#include <gtest/gtest.h>

#include "app/view.h"

namespace {

HeldKeys Only(bool HeldKeys::*key) {
  HeldKeys keys{};
  keys.*key = true;
  return keys;
}

ViewState AfterFrames(ViewState view, const HeldKeys& keys, int frames) {
  for (int i = 0; i < frames; ++i) ApplyKeyRules(view, keys);
  return view;
}

TEST(ViewState, StartsHalfTurnedSixUnitsAway) {
  const ViewState view = InitialView();
  EXPECT_EQ(view.yaw, 180);
  EXPECT_EQ(view.pitch, 0);
  EXPECT_EQ(view.distance, -6.0f);
  EXPECT_FALSE(view.quitRequested);
}

TEST(ViewState, NoKeyChangesNothing) {
  const ViewState view = AfterFrames(InitialView(), HeldKeys{}, 500);
  EXPECT_EQ(view.yaw, 180);
  EXPECT_EQ(view.pitch, 0);
  EXPECT_EQ(view.distance, -6.0f);
  EXPECT_FALSE(view.quitRequested);
}

TEST(KeyRules, NinetyLeftFramesTurnFrom180ToZeroThenTwo) {
  ViewState view = AfterFrames(InitialView(), Only(&HeldKeys::left), 89);
  EXPECT_EQ(view.yaw, 358);
  ApplyKeyRules(view, Only(&HeldKeys::left));
  EXPECT_EQ(view.yaw, 0);  // 360 wraps to 0
  ApplyKeyRules(view, Only(&HeldKeys::left));
  EXPECT_EQ(view.yaw, 2);
}

TEST(KeyRules, AnglesWrapBothWays) {
  ViewState view = InitialView();
  view.yaw = 0;
  view.pitch = 0;
  ApplyKeyRules(view, Only(&HeldKeys::right));
  ApplyKeyRules(view, Only(&HeldKeys::down));
  EXPECT_EQ(view.yaw, 358);
  EXPECT_EQ(view.pitch, 358);
  ApplyKeyRules(view, Only(&HeldKeys::left));
  ApplyKeyRules(view, Only(&HeldKeys::up));
  EXPECT_EQ(view.yaw, 0);
  EXPECT_EQ(view.pitch, 0);
}

TEST(KeyRules, AnglesStayEvenWithinRangeUnderEveryKey) {
  ViewState view = InitialView();
  bool HeldKeys::*const turns[] = {&HeldKeys::left, &HeldKeys::right, &HeldKeys::up, &HeldKeys::down};
  unsigned pattern = 12345;
  for (int frame = 0; frame < 5000; ++frame) {
    pattern = pattern * 1103515245u + 12345u;
    HeldKeys keys{};
    for (int k = 0; k < 4; ++k) keys.*turns[k] = ((pattern >> (16 + k)) & 1) != 0;
    ApplyKeyRules(view, keys);
    ASSERT_TRUE(view.yaw >= 0 && view.yaw <= 358 && view.yaw % 2 == 0) << view.yaw;
    ASSERT_TRUE(view.pitch >= 0 && view.pitch <= 358 && view.pitch % 2 == 0) << view.pitch;
  }
}

TEST(KeyRules, OppositeTurnsTogetherCancelAtTheWrapToo) {
  for (int start : {0, 2, 180, 356, 358}) {
    ViewState view = InitialView();
    view.yaw = start;
    view.pitch = start;
    HeldKeys keys{};
    keys.left = keys.right = keys.up = keys.down = true;
    ApplyKeyRules(view, keys);  // 358 -> 0 -> 358 at the wrap
    EXPECT_EQ(view.yaw, start);
    EXPECT_EQ(view.pitch, start);
  }
}

TEST(KeyRules, SixtyQFramesStopShortOfZero) {
  // Each step is added in double precision and stored back as a float: sixty
  // float additions of 0.1f would end at -0x1.d2p-19 instead.
  EXPECT_EQ(AfterFrames(InitialView(), Only(&HeldKeys::nearer), 1).distance, -0x1.79999ap+2f);
  EXPECT_EQ(AfterFrames(InitialView(), Only(&HeldKeys::nearer), 60).distance, -0x1.d23334p-19f);
  EXPECT_EQ(AfterFrames(InitialView(), Only(&HeldKeys::farther), 1).distance, -0x1.866666p+2f);
}

TEST(KeyRules, QAndATogetherCancelInEveryFrame) {
  HeldKeys keys{};
  keys.nearer = keys.farther = true;
  EXPECT_EQ(AfterFrames(InitialView(), keys, 1).distance, -6.0f);
  EXPECT_EQ(AfterFrames(InitialView(), keys, 1000).distance, -6.0f);
}

TEST(KeyRules, EscapeRequestsTheEndAndOtherKeysStillApply) {
  HeldKeys keys{};
  keys.escape = true;
  keys.left = true;
  ViewState view = InitialView();
  ApplyKeyRules(view, keys);
  EXPECT_TRUE(view.quitRequested);
  EXPECT_EQ(view.yaw, 182);
  ApplyKeyRules(view, HeldKeys{});
  EXPECT_TRUE(view.quitRequested);  // never cleared
}

}  // namespace
