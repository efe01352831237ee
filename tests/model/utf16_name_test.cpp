// Strict UTF-8 decoding of file names: only a name that is valid UTF-8 is
// opened by what it spells on Windows; any other keeps its bytes.
#include <gtest/gtest.h>

#include <string>

#include "model/utf16_name.h"

namespace {

TEST(Utf16FromUtf8, DecodesEachLengthOfSequence) {
  std::u16string utf16;
  ASSERT_TRUE(Utf16FromUtf8("t\xC3\xABx \xE2\x82\xAC\xF0\x9F\x98\x80.bmp", utf16));  // ë, €, U+1F600
  EXPECT_EQ(utf16, u"t\u00EBx \u20AC\U0001F600.bmp");
  ASSERT_TRUE(Utf16FromUtf8("\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", utf16));  // the largest of each length
  EXPECT_EQ(utf16, u"\u007F\u07FF\uFFFF\U0010FFFF");
}

TEST(Utf16FromUtf8, RefusesWhatIsNoUtf8) {
  std::u16string utf16;
  for (const char* bytes : {
           "t\xEBx.bmp",          // ë in Windows-1252
           "\xC0\xAF",            // overlong '/'
           "\xE0\x9F\xBF",        // overlong U+07FF
           "\xF0\x8F\xBF\xBF",    // overlong U+FFFF
           "\xED\xA0\x80",        // surrogate U+D800
           "\xED\xBF\xBF",        // surrogate U+DFFF
           "\xF4\x90\x80\x80",    // U+110000
           "\xF8\x88\x80\x80\x80",
           "\xE2\x82",            // cut short at the end
           "\xE2\x82x",           // cut short before another character
           "\x80",                // continuation without a lead
       }) {
    EXPECT_FALSE(Utf16FromUtf8(bytes, utf16)) << testing::PrintToString(std::string(bytes));
  }
}

}  // namespace
