// The 86-row key map: which scancode each key sets, the keys named by their
// X keysyms.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/key_map.h"
#include "platform/scancodes.h"
#include "tests/support/key_names.h"

namespace {

std::string Describe(const KeyMapRow& row) {
  std::string text = std::to_string(row.scancode) + " " + KeysymName(row.key);
  if (row.secondKey != Key::None) text += " / " + std::string(KeysymName(row.secondKey));
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
      "1 Escape", "2 1", "3 2", "4 3", "5 4", "6 5", "7 6", "8 7", "9 8", "10 9", "11 0", "12 minus / KP_Subtract",
      "13 equal", "14 BackSpace", "15 Tab", "16 q", "17 w", "18 e", "19 r", "20 t", "21 y", "22 u", "23 i", "24 o",
      "25 p", "26 bracketleft", "27 bracketright", "28 Return / KP_Enter", "29 Control_L / Control_R", "30 a", "31 s",
      "32 d", "33 f", "34 g", "35 h", "36 j", "37 k", "38 l", "39 semicolon", "40 apostrophe", "41 grave",
      "42 Shift_L / Shift_R", "43 backslash", "44 z", "45 x", "46 c", "47 v", "48 b", "49 n", "50 m", "51 comma",
      "52 period", "53 slash / KP_Divide", "54 Shift_L / Shift_R", "55 KP_Multiply", "56 Alt_L / Alt_R", "57 space",
      "58 Caps_Lock", "59 F1", "60 F2", "61 F3", "62 F4", "63 F5", "64 F6", "65 F7", "66 F8", "67 F9", "68 F10",
      "69 Num_Lock", "70 Scroll_Lock", "71 Home / KP_7", "72 Up / KP_8", "73 Prior / KP_9", "75 Left / KP_4",
      "77 Right / KP_6", "78 KP_Add", "79 End / KP_1", "80 Down / KP_2", "81 Next / KP_3", "82 Insert / KP_0",
      "83 Delete / KP_Decimal", "87 F11", "88 F12", "91 Super_L", "92 Super_R", "93 Menu"};
  for (int i = 0; i < kKeyMapRowCount; ++i) EXPECT_EQ(Describe(kKeyMap[i]), expected[i]) << "row " << i;
}

TEST(KeyMap, ViewerKeysAndTheirKeypadSecondKeys) {
  EXPECT_EQ(Describe(*RowOf(kScancodeEscape)), "1 Escape");
  EXPECT_EQ(Describe(*RowOf(kScancodeQ)), "16 q");
  EXPECT_EQ(Describe(*RowOf(kScancodeA)), "30 a");
  EXPECT_EQ(Describe(*RowOf(kScancodeUp)), "72 Up / KP_8");
  EXPECT_EQ(Describe(*RowOf(kScancodeLeft)), "75 Left / KP_4");
  EXPECT_EQ(Describe(*RowOf(kScancodeRight)), "77 Right / KP_6");
  EXPECT_EQ(Describe(*RowOf(kScancodeDown)), "80 Down / KP_2");
}

TEST(KeyMap, ScancodesWithoutRowStayUnused) {
  std::set<int> used;
  for (const KeyMapRow& row : kKeyMap) {
    EXPECT_TRUE(used.insert(row.scancode).second) << "scancode " << row.scancode << " has two rows";
    EXPECT_NE(row.key, Key::None) << "scancode " << row.scancode;
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
      const bool shared = a.key == b.key || a.key == b.secondKey || (a.secondKey != Key::None && a.secondKey == b.secondKey);
      const bool shiftRows = (a.scancode == 42 || a.scancode == 54) && (b.scancode == 42 || b.scancode == 54);
      EXPECT_EQ(shared, shiftRows) << a.scancode << " and " << b.scancode;
    }
  }
}

}  // namespace
