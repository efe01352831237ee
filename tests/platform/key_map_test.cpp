// The key map: every row its own scancode, every key in one row only (but
// Shift, which holds both of its scancodes), and the viewer's seven keys at
// their scancodes, the arrows with their keypad keys.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/key_map.h"
#include "platform/scancodes.h"
#include "tests/support/key_names.h"

namespace {

std::string Keys(const KeyMapRow& row) {
  std::string text = KeysymName(row.key);
  if (row.secondKey != Key::None) text += " / " + std::string(KeysymName(row.secondKey));
  return text;
}

TEST(KeyMap, RowsHaveDistinctScancodesAndHoldTheViewersKeys) {
  std::map<int, const KeyMapRow*> rows;
  std::map<Key, std::set<int>> scancodesOfKey;
  for (const KeyMapRow& row : kKeyMap) {
    EXPECT_TRUE(row.scancode > 0 && row.scancode < kScancodeCount) << "scancode " << row.scancode;
    EXPECT_NE(row.key, Key::None) << "scancode " << row.scancode;
    EXPECT_TRUE(rows.emplace(row.scancode, &row).second) << "scancode " << row.scancode << " has two rows";
    for (const Key key : {row.key, row.secondKey}) {
      if (key != Key::None) scancodesOfKey[key].insert(row.scancode);
    }
  }
  for (const auto& [key, scancodes] : scancodesOfKey) {
    const bool shift = key == Key::LeftShift || key == Key::RightShift;
    EXPECT_EQ(scancodes.size(), shift ? 2u : 1u) << KeysymName(key) << " sets " << scancodes.size() << " scancodes";
  }

  const std::map<int, std::string> viewerKeys = {
      {kScancodeEscape, "Escape"}, {kScancodeQ, "q"}, {kScancodeA, "a"}, {kScancodeUp, "Up / KP_8"},
      {kScancodeLeft, "Left / KP_4"}, {kScancodeRight, "Right / KP_6"}, {kScancodeDown, "Down / KP_2"}};
  for (const auto& [scancode, keys] : viewerKeys) {
    const auto row = rows.find(scancode);
    ASSERT_NE(row, rows.end()) << "scancode " << scancode << " has no row";
    EXPECT_EQ(Keys(*row->second), keys) << "scancode " << scancode;
  }
}

}  // namespace
