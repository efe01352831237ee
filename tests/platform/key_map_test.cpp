// The 86-row key map: which scancode each key sets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/key_map.h"

namespace {

std::string Describe(const KeyMapRow& row) {
  std::string text = std::to_string(row.scancode) + " " + KeyName(row.key);
  if (row.secondKey != 0) text += " / " + std::string(KeyName(row.secondKey));
  return text;
}

const KeyMapRow* RowOf(int scancode) {
  for (const KeyMapRow& row : kKeyMap) {
    if (row.scancode == scancode) return &row;
  }
  return nullptr;
}

TEST(KeyMap, EveryRowInScancodeOrder) {
  const char* expected[kKeyMapRowCount] = {
      "1 Escape", "2 1", "3 2", "4 3", "5 4", "6 5", "7 6", "8 7", "9 8", "10 9", "11 0", "12 - / Keypad -", "13 =",
      "14 Backspace", "15 Tab", "16 Q", "17 W", "18 E", "19 R", "20 T", "21 Y", "22 U", "23 I", "24 O", "25 P", "26 [",
      "27 ]", "28 Return / Keypad Enter", "29 Left Ctrl / Right Ctrl", "30 A", "31 S", "32 D", "33 F", "34 G", "35 H",
      "36 J", "37 K", "38 L", "39 ;", "40 '", "41 `", "42 Left Shift / Right Shift", "43 \\", "44 Z", "45 X", "46 C",
      "47 V", "48 B", "49 N", "50 M", "51 ,", "52 .", "53 / / Keypad /", "54 Left Shift / Right Shift",
      "55 Keypad *", "56 Left Alt / Right Alt", "57 Space", "58 CapsLock", "59 F1", "60 F2", "61 F3", "62 F4",
      "63 F5", "64 F6", "65 F7", "66 F8", "67 F9", "68 F10", "69 Numlock", "70 ScrollLock", "71 Home / Keypad 7",
      "72 Up / Keypad 8", "73 PageUp / Keypad 9", "75 Left / Keypad 4", "77 Right / Keypad 6", "78 Keypad +",
      "79 End / Keypad 1", "80 Down / Keypad 2", "81 PageDown / Keypad 3", "82 Insert / Keypad 0",
      "83 Delete / Keypad .", "87 F11", "88 F12", "91 Left GUI", "92 Right GUI", "93 Application"};
  for (int i = 0; i < kKeyMapRowCount; ++i) EXPECT_EQ(Describe(kKeyMap[i]), expected[i]) << "row " << i;
}

TEST(KeyMap, ViewerKeysAndTheirKeypadSecondKeys) {
  EXPECT_EQ(Describe(*RowOf(kScancodeEscape)), "1 Escape");
  EXPECT_EQ(Describe(*RowOf(kScancodeQ)), "16 Q");
  EXPECT_EQ(Describe(*RowOf(kScancodeA)), "30 A");
  EXPECT_EQ(Describe(*RowOf(kScancodeUp)), "72 Up / Keypad 8");
  EXPECT_EQ(Describe(*RowOf(kScancodeLeft)), "75 Left / Keypad 4");
  EXPECT_EQ(Describe(*RowOf(kScancodeRight)), "77 Right / Keypad 6");
  EXPECT_EQ(Describe(*RowOf(kScancodeDown)), "80 Down / Keypad 2");
}

TEST(KeyMap, ScancodesWithoutRowStayUnused) {
  std::set<int> used;
  for (const KeyMapRow& row : kKeyMap) {
    EXPECT_TRUE(used.insert(row.scancode).second) << "scancode " << row.scancode << " has two rows";
    EXPECT_NE(row.key, 0) << "scancode " << row.scancode;
  }
  std::set<int> unused = {0, 74, 76, 84, 85, 86, 89, 90};
  for (int scancode = 94; scancode < kScancodeCount; ++scancode) unused.insert(scancode);
  for (int scancode = 0; scancode < kScancodeCount; ++scancode) {
    EXPECT_NE(used.count(scancode), unused.count(scancode)) << "scancode " << scancode;
  }
}

TEST(KeyMap, OnlyTheShiftKeysSetTwoScancodes) {
  // Either Shift key holds both 42 and 54; every other key sets one scancode.
  for (const KeyMapRow& a : kKeyMap) {
    for (const KeyMapRow& b : kKeyMap) {
      if (&a == &b) continue;
      const bool shared = a.key == b.key || a.key == b.secondKey || (a.secondKey != 0 && a.secondKey == b.secondKey);
      const bool shiftRows = (a.scancode == 42 || a.scancode == 54) && (b.scancode == 42 || b.scancode == 54);
      EXPECT_EQ(shared, shiftRows) << a.scancode << " and " << b.scancode;
    }
  }
}

}  // namespace
