// Strict UTF-8 decoding of file names: only a name that is valid UTF-8 is
// opened by what it spells on Windows; any other keeps its bytes. The Windows
// layer's wide text takes the decoded text with U+FFFD for what is no UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "platform/utf16.h"

namespace {

TEST(Utf16FromUtf8, DecodesEachLengthOfSequence) {
  std::u16string utf16;
  ASSERT_TRUE(Utf16FromUtf8("t\xC3\xABx \xE2\x82\xAC\xF0\x9F\x98\x80.bmp", utf16));  // ë, €, U+1F600
  EXPECT_EQ(utf16, u"t\u00EBx \u20AC\U0001F600.bmp");
  ASSERT_TRUE(Utf16FromUtf8("\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", utf16));  // the largest of each length
  EXPECT_EQ(utf16, u"\u007F\u07FF\uFFFF\U0010FFFF");
}

TEST(Utf16FromUtf8, RefusesWhatIsNoUtf8AndReplacesEachBrokenPiece) {
  struct Case {
    const char* bytes;
    std::u16string replaced;
  };
  for (const Case& broken : {
           Case{"t\xEBx.bmp", u"t\uFFFDx.bmp"},                          // ë in Windows-1252
           Case{"\xC0\xAF", u"\uFFFD\uFFFD"},                            // overlong '/'
           Case{"\xE0\x9F\xBF", u"\uFFFD\uFFFD\uFFFD"},                  // overlong U+07FF
           Case{"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},        // overlong U+FFFF
           Case{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},                  // surrogate U+D800
           Case{"\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD"},                  // surrogate U+DFFF
           Case{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},        // U+110000
           Case{"\xF8\x88\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
           Case{"\xE2\x82", u"\uFFFD"},                                  // cut short at the end
           Case{"\xE2\x82x\xF0\x9F\x98", u"\uFFFDx\uFFFD"},              // cut short before another character
           Case{"\x80", u"\uFFFD"},                                      // continuation without a lead
       }) {
    std::u16string utf16;
    EXPECT_FALSE(Utf16FromUtf8(broken.bytes, utf16)) << testing::PrintToString(std::string(broken.bytes));
    EXPECT_EQ(utf16, broken.replaced) << testing::PrintToString(std::string(broken.bytes));
  }
}

}  // namespace
