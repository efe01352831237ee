// Windows names are UTF-16 that need not be valid: a lone surrogate still
// gives UTF-8, with U+FFFD in its place, not an empty name.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/utf8.h"

namespace {

TEST(Utf8FromWide, LoneSurrogatesBecomeTheReplacementCharacter) {
  EXPECT_EQ(Utf8FromWide(std::wstring{L'a', wchar_t(0xD800), L'b', wchar_t(0xDC00)}), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(Utf8FromWide(L"m\u00f6del-\u0434\u043e\u043c \U0001F680"), "m\xC3\xB6" "del-\xD0\xB4\xD0\xBE\xD0\xBC \xF0\x9F\x9A\x80");
}

}  // namespace
