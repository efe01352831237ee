// The key-state table of the real window, with keys pressed through XTEST.
#include <algorithm>
#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "platform/key_map.h"
#include "platform/scancodes.h"
#include "platform/screen.h"
#include "tests/support/display_test.h"
#include "tests/support/key_names.h"

namespace {

using KeyboardTest = ScreenTest;

TEST_F(KeyboardTest, NothingHeldBeforeTheFirstFlip) {
  ScreenClose();
  PressKey(driver, "Left");
  SleepMs(kDeliveryMs);
  Open();
  for (int scancode = 0; scancode < kScancodeCount; ++scancode) EXPECT_EQ(KeyDown(scancode), 0) << scancode;
}

TEST_F(KeyboardTest, PressReadsAsHeldFromTheSecondFlip) {
  Settle();
  PressKey(driver, "Left");
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), 0) << "the sample comes before the press is taken in";
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), -1);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), -1);
  ReleaseKey(driver, "Left");
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), -1);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), 0);
}

TEST_F(KeyboardTest, TapTakenInByOneFlipIsNeverSeen) {
  Settle();
  PressKey(driver, "q");
  ReleaseKey(driver, "q");
  for (int i = 0; i < 4; ++i) {
    Flip();
    EXPECT_EQ(KeyDown(kScancodeQ), 0) << "flip " << i;
  }
  PressKey(driver, "q");
  Flip(2);
  EXPECT_EQ(KeyDown(kScancodeQ), -1) << "held, the same key shows";
}

TEST_F(KeyboardTest, KeypadArrowsCountWithNumLockOffAndOn) {
  const bool numLockWas = NumLockOn(driver);
  const std::pair<const char*, int> keys[] = {
      {"KP_Up", kScancodeUp}, {"KP_Left", kScancodeLeft}, {"KP_Right", kScancodeRight}, {"KP_Down", kScancodeDown}};
  for (bool numLock : {false, true}) {
    SetNumLock(driver, numLock);
    ASSERT_EQ(NumLockOn(driver), numLock);
    Settle();
    for (const auto& [keysym, scancode] : keys) {
      // The physical keypad key, whatever Num Lock makes it type.
      const int keycode = KeycodeOf(driver, keysym);
      PressKeycode(driver, keycode);
      Flip(2);
      EXPECT_EQ(KeyDown(scancode), -1) << keysym << (numLock ? " with" : " without") << " Num Lock";
      ReleaseKeycode(driver, keycode);
      Flip(2);
      EXPECT_EQ(KeyDown(scancode), 0) << keysym;
    }
  }
  SetNumLock(driver, numLockWas);
}

// Each key of the map, one after the other, sets exactly the scancodes of
// the rows that name it: either Shift key holds both 42 and 54.
TEST_F(KeyboardTest, EveryKeyOfTheMapSetsItsRowsScancodes) {
  std::vector<Key> keys;
  for (const KeyMapRow& row : kKeyMap) {
    for (Key key : {row.key, row.secondKey}) {
      if (key != Key::None && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
  }
  Settle();
  int previous = 0;
  for (Key key : keys) {
    const int keycode = KeycodeOf(driver, KeysymName(key));
    ASSERT_NE(keycode, 0) << "the display has no key " << KeysymName(key);
    ReleaseKeycode(driver, previous);
    PressKeycode(driver, keycode);
    previous = keycode;
    Flip(2);
    std::set<int> expected;
    for (const KeyMapRow& row : kKeyMap) {
      if (row.key == key || row.secondKey == key) expected.insert(row.scancode);
    }
    std::set<int> held;
    for (int scancode = 0; scancode < kScancodeCount; ++scancode) {
      if (KeyDown(scancode) != 0) held.insert(scancode);
    }
    EXPECT_EQ(held, expected) << KeysymName(key);
  }
  ReleaseKeycode(driver, previous);
  // The lock keys were pressed once each: once more puts their locks back.
  for (const char* lock : {"Caps_Lock", "Num_Lock", "Scroll_Lock"}) {
    PressKey(driver, lock);
    ReleaseKey(driver, lock);
  }
}

TEST_F(KeyboardTest, ScancodesWithoutKeysReadNotHeld) {
  Settle();
  // Keypad minus is the second key of 12, and keypad 5 has no row: on a PC
  // keyboard they would be 74 and 76.
  for (const char* key : {"KP_Subtract", "KP_Begin", "Left", "Escape", "Shift_L", "a"}) PressKey(driver, key);
  Flip(2);
  EXPECT_EQ(KeyDown(12), -1);
  EXPECT_EQ(KeyDown(kScancodeLeft), -1);
  EXPECT_EQ(KeyDown(kScancodeEscape), -1);
  for (int scancode : {-1, 0, 74, 76, 84, 85, 86, 89, 90, 94, 127, 128, 129, 256, INT_MIN, INT_MAX}) {
    EXPECT_EQ(KeyDown(scancode), 0) << scancode;
  }
}

TEST_F(KeyboardTest, TheLayoutDecidesWhichKeyIsQ) {
  Settle();
  // Swap what the Q and A keys type, as a French layout does.
  const int keycodeQ = KeycodeOf(driver, "q");
  const int keycodeA = KeycodeOf(driver, "a");
  const auto savedQ = RemapKeycode(driver, keycodeQ, "a");
  const auto savedA = RemapKeycode(driver, keycodeA, "q");
  Flip(3);
  PressKeycode(driver, keycodeA);
  Flip(2);
  const int q = KeyDown(kScancodeQ);
  const int a = KeyDown(kScancodeA);
  ReleaseKeycode(driver, keycodeA);
  RestoreKeysyms(driver, keycodeQ, savedQ);
  RestoreKeysyms(driver, keycodeA, savedA);
  EXPECT_EQ(q, -1) << "the key that types q sets 16 wherever it lies";
  EXPECT_EQ(a, 0);

  Flip(3);
  PressKeycode(driver, keycodeA);
  Flip(2);
  EXPECT_EQ(KeyDown(kScancodeA), -1) << "the layout restored, the same key is A again";
  EXPECT_EQ(KeyDown(kScancodeQ), 0);
}

TEST_F(KeyboardTest, InactiveWindowReadsNothingHeld) {
  Settle();
  PressKey(driver, "Left");
  Flip(2);
  ASSERT_EQ(KeyDown(kScancodeLeft), -1);
  // Left stays down to the end. SDL takes in only modifier keys that were
  // held through a focus change, so it does not show again after regaining
  // the focus until it is pressed anew.

  const WindowId other = TakeFocus(driver);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), 0) << "losing the focus forgets every key at once";
  for (int i = 0; i < 10; ++i) {
    Flip();
    EXPECT_EQ(KeyDown(kScancodeLeft), 0) << "flip " << i << " while inactive, the key still down";
  }

  GiveFocus(driver, window);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeLeft), 0) << "regaining the focus forgets every key too";
  PressKey(driver, "Right");
  Flip();
  EXPECT_EQ(KeyDown(kScancodeRight), 0);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeRight), -1) << "a key pressed after reactivation shows from the second flip";
  DestroyDriverWindow(driver, other);
}

TEST_F(KeyboardTest, MinimisedWindowReadsNothingHeld) {
  Settle();
  PressKey(driver, "Up");
  Flip(2);
  ASSERT_EQ(KeyDown(kScancodeUp), -1);
  MinimiseWindow(driver, window);
  for (int i = 0; i < 5; ++i) {
    Flip();
    EXPECT_EQ(KeyDown(kScancodeUp), 0) << "flip " << i << " while minimised, the key still down";
  }
  ReleaseKey(driver, "Up");
  RestoreWindow(driver, window);
  GiveFocus(driver, window);
  Flip(2);
  EXPECT_EQ(KeyDown(kScancodeUp), 0);
  PressKey(driver, "Down");
  Flip();
  EXPECT_EQ(KeyDown(kScancodeDown), 0);
  Flip();
  EXPECT_EQ(KeyDown(kScancodeDown), -1) << "restored and active, keys show again";
}

}  // namespace
