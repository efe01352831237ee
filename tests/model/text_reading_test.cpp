// Lines, fields and numbers: the reading rules both readers share.
#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/text_reading.h"
#include "tests/support/locales.h"

namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  LineReader reader;
  StartReading(reader, file);
  std::vector<std::string> lines;
  while (!AtEndOfText(reader)) lines.emplace_back(ReadTextLine(reader));
  std::fclose(file);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(ReadTextLine, LineFeedAndCarriageReturnLineFeedReadAlike) {
  EXPECT_EQ(LinesOf("v 1 2 3\nf 1 2 3\n"), (Lines{"v 1 2 3", "f 1 2 3"}));
  EXPECT_EQ(LinesOf("v 1 2 3\r\nf 1 2 3\r\n"), (Lines{"v 1 2 3", "f 1 2 3"}));
  EXPECT_EQ(LinesOf("a\r\nb\nc\r\n"), (Lines{"a", "b", "c"}));
}

TEST(ReadTextLine, LastLineWithoutLineEndIsRead) {
  EXPECT_EQ(LinesOf("a\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(LinesOf("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(LinesOf("only"), (Lines{"only"}));
}

TEST(ReadTextLine, EmptyFileAndEmptyLines) {
  EXPECT_EQ(LinesOf(""), Lines{});
  EXPECT_EQ(LinesOf("\n"), (Lines{""}));
  EXPECT_EQ(LinesOf("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(LinesOf("a\n\nb\n"), (Lines{"a", "", "b"}));
}

TEST(ReadTextLine, CarriageReturnsElsewhereStayInTheLine) {
  EXPECT_EQ(LinesOf("a\rb\n"), (Lines{"a\rb"}));
  EXPECT_EQ(LinesOf("\ra\n"), (Lines{"\ra"}));
  EXPECT_EQ(LinesOf("a\r\r\n"), (Lines{"a\r"}));
  EXPECT_EQ(LinesOf("a\rb"), (Lines{"a\rb"}));
  // Only the file's very last byte is dropped as a line end.
  EXPECT_EQ(LinesOf("abc\r"), (Lines{"abc"}));
  EXPECT_EQ(LinesOf("abc\r\r"), (Lines{"abc\r"}));
  EXPECT_EQ(LinesOf("a\n\r"), (Lines{"a", ""}));
  EXPECT_EQ(LinesOf("\r"), (Lines{""}));
}

TEST(ReadTextLine, OtherBytesAreKept) {
  const std::string bytes("t\tab\0nul\xff\n", 10);
  EXPECT_EQ(LinesOf(bytes), (Lines{std::string("t\tab\0nul\xff", 9)}));
}

TEST(ReadTextLine, LinesOfAnyLengthAcrossBlocks) {
  // Lengths around the reader's block size, so that a line, its CR or its LF
  // falls on a block boundary somewhere among them.
  for (std::size_t length : {65534u, 65535u, 65536u, 65537u, 131071u, 262143u, 262144u, 1000000u}) {
    const std::string longLine(length, 'x');
    EXPECT_EQ(LinesOf(longLine + "\r\nend\r\n"), (Lines{longLine, "end"})) << length;
    EXPECT_EQ(LinesOf(longLine + "\r"), (Lines{longLine})) << length;
    EXPECT_EQ(LinesOf("ab\n" + longLine + "\n"), (Lines{"ab", longLine})) << length;
  }
}

TEST(ReadTextLine, ManyLinesMatchAcrossBlocks) {
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 100000; ++i) {
    expected.push_back("v " + std::to_string(i) + " " + std::string(static_cast<std::size_t>(i % 13), 'y'));
    bytes += expected.back() + (i % 3 == 0 ? "\r\n" : "\n");
  }
  EXPECT_EQ(LinesOf(bytes), expected);
}

template <typename Separators>
Lines Split(PaddedText text, std::size_t start, Separators separators) {
  Lines fields;
  SplitFields(text, start, separators, [&fields](std::string_view field) { fields.emplace_back(field); });
  return fields;
}

template <typename Separators>
Lines Split(const std::string& text, std::size_t start, Separators separators) {
  std::string storage;
  return Split(PaddedCopy(text, storage), start, separators);
}

// The scans read whole words past a text's end: only the line reader's
// padded texts may reach them, never a bare view of somebody's bytes.
static_assert(!std::is_constructible_v<PaddedText, std::string_view>);
static_assert(!std::is_constructible_v<PaddedText, const char*>);

TEST(SplitFields, EmptyFieldsCountAndTheEndEndsTheLastField) {
  EXPECT_EQ(Split("v 1  2\t3", 2, SpaceOnly{}), (Lines{"1", "", "2\t3"}));
  EXPECT_EQ(Split("v 1 2 ", 2, SpaceOnly{}), (Lines{"1", "2", ""}));  // a trailing space adds a field
  EXPECT_EQ(Split("f 1\r2 3\n4", 2, SpaceOrLineEnd{}), (Lines{"1", "2", "3", "4"}));
  EXPECT_EQ(Split("v ", 2, SpaceOnly{}), (Lines{""}));  // the keyword and its space: one empty field
  EXPECT_EQ(Split("v", 2, SpaceOnly{}), Lines{});       // the keyword alone: no field at all
}

TEST(SplitFields, CornerPartsBetweenSlashes) {
  EXPECT_EQ(Split("1/2/3", 0, SlashOnly{}), (Lines{"1", "2", "3"}));
  EXPECT_EQ(Split("1//3", 0, SlashOnly{}), (Lines{"1", "", "3"}));
  EXPECT_EQ(Split("", 0, SlashOnly{}), (Lines{""}));
  EXPECT_EQ(Split("1/2/3/", 0, SlashOnly{}), (Lines{"1", "2", "3", ""}));
}

TEST(SplitFields, SeparatorsAtEveryOffsetAndPastTheEnd) {
  // The scan looks at eight bytes at a time: separators at every position of
  // a word, fields longer than a word, and separators in the bytes after the
  // text's end (the next line, in a block) must all come out right.
  for (std::size_t length = 0; length < 20; ++length) {
    const std::string field(length, 'x');
    EXPECT_EQ(Split(field + " " + field + "\r" + field, 0, SpaceOrLineEnd{}), (Lines{field, field, field})) << length;
    std::string storage;
    const PaddedText line = PaddedCopy(field + " " + field + "  / / / / / / / / /", storage);
    EXPECT_EQ(Split(line.Part(0, 2 * length + 1), 0, SpaceOnly{}), (Lines{field, field})) << length;
  }
}

TEST(IsLineOfKind, KeywordWithASpaceOrAlone) {
  EXPECT_TRUE(IsLineOfKind("v 1 2 3", "v"));
  EXPECT_TRUE(IsLineOfKind("v", "v"));
  EXPECT_TRUE(IsLineOfKind("v ", "v"));
  EXPECT_FALSE(IsLineOfKind("vn 1 2 3", "v"));
  EXPECT_FALSE(IsLineOfKind("v\t1", "v"));
  EXPECT_FALSE(IsLineOfKind(" v 1", "v"));
  EXPECT_FALSE(IsLineOfKind("V 1", "v"));
  EXPECT_FALSE(IsLineOfKind("", "v"));
  EXPECT_TRUE(IsLineOfKind("vn", "vn"));
}

struct NumberCase {
  const char* text;
  double value;
};

TEST(ParseNumber, DecimalForms) {
  const NumberCase cases[] = {
      {"2.5", 2.5},       {"-1", -1.0},       {"+5", 5.0},        {"1.5e2", 150.0},   {"1.5d2", 150.0},
      {"1.5D2", 150.0},   {"1.5E+2", 150.0},  {"15e-1", 1.5},     {"15d-1", 1.5},     {"5.", 5.0},
      {".5", 0.5},        {"-.25", -0.25},    {"007", 7.0},       {"1e", 1.0},        {"1e+", 1.0},
      {"1d-", 1.0},       {"1ex", 1.0},       {"1e5x", 1e5},      {"12abc", 12.0},    {"1 2", 1.0},
      {"1.2.3", 1.2},     {"1e2.5", 100.0},   {"1,5", 1.0},       {"-1,5", -1.0},     {"0.1", 0.1},
      {"3.14159265358979", 3.14159265358979},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseNumber, TextWithoutDigitsIsZero) {
  for (const char* text : {"", "   ", ".", "-", "+", "+.", "e5", "d5", "abc", "--5", "+-5", "- 5", "&", "&X1",
                           "&H", "&Hg", "&B2", "&O8", "\t&H10"}) {
    const double value = ParseNumber(text);
    EXPECT_EQ(value, 0.0) << text;
  }
}

TEST(ParseNumber, NoHexadecimalFractionsInfinitiesOrNotANumber) {
  EXPECT_EQ(ParseNumber("0x1p3"), 0.0);
  EXPECT_EQ(ParseNumber("0x10"), 0.0);
  EXPECT_EQ(ParseNumber("inf"), 0.0);
  EXPECT_EQ(ParseNumber("-infinity"), 0.0);
  EXPECT_EQ(ParseNumber("nan"), 0.0);
  EXPECT_EQ(ParseNumber("NAN(123)"), 0.0);
}

TEST(ParseNumber, LeadingWhiteSpace) {
  EXPECT_EQ(ParseNumber("   7"), 7.0);
  EXPECT_EQ(ParseNumber("  &H10"), 16.0);  // spaces come before the radix test
  EXPECT_EQ(ParseNumber(" \t\r\v\f\n7.5"), 7.5);
  EXPECT_EQ(ParseNumber("\t-3"), -3.0);
  EXPECT_EQ(ParseNumber("-\t3"), 0.0);
}

TEST(ParseNumber, RadixForms) {
  const NumberCase cases[] = {
      {"&H10", 16.0},   {"&h1f", 31.0},  {"&HfF", 255.0},  {"&b101", 5.0},   {"&B102", 2.0},  {"&O17", 15.0},
      {"&o778", 63.0},  {"&H10.5", 16.0}, {"&h-1", 0.0},   {"&H 1", 0.0},
      // 64 bits wrap, and the pattern reads as signed.
      {"&HFFFFFFFFFFFFFFFF", -1.0},
      {"&H8000000000000000", -9223372036854775808.0},
      {"&H7FFFFFFFFFFFFFFF", 9223372036854775807.0},
      {"&H10000000000000001", 1.0},
      {"&B1111111111111111111111111111111111111111111111111111111111111111", -1.0},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseNumber, OutOfRangeMagnitudes) {
  EXPECT_EQ(ParseNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-1d400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("1e-400"), 0.0);
  EXPECT_TRUE(std::signbit(ParseNumber("-1e-400")));
  EXPECT_EQ(ParseNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ParseNumber("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ParseNumber("1e300"), 1e300);
  EXPECT_EQ(ParseNumber("1.7976931348623157e308"), DBL_MAX);
  EXPECT_EQ(ParseNumber("0e99999999999999999999"), 0.0);
}

TEST(ParseNumber, VeryLongDigitStrings) {
  const std::string zeros(100000, '0');
  EXPECT_EQ(ParseNumber(zeros + "12.5"), 12.5);
  EXPECT_EQ(ParseNumber("0." + zeros + "1e100001"), 1.0);
  EXPECT_EQ(ParseNumber("1" + zeros), std::numeric_limits<double>::infinity());
}

TEST(ParseNumber, NeverReadsPastTheText) {
  const std::string text = "123456&H1F1e59d9";
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(0, 2)), 12.0);
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(6, 3)), 1.0);
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(10, 2)), 1.0);   // "1e"
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(10, 3)), 1e5);   // "1e5"
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(13, 2)), 9.0);   // "9d"
  EXPECT_EQ(ParseNumber(std::string_view(text).substr(6, 1)), 0.0);    // "&"
}

TEST(RoundToIndex, NearestWithHalvesToEven) {
  EXPECT_EQ(RoundToIndex(ParseNumber("2.5")), 2);
  EXPECT_EQ(RoundToIndex(ParseNumber("3.5")), 4);
  EXPECT_EQ(RoundToIndex(ParseNumber("-1")), -1);
  EXPECT_EQ(RoundToIndex(0.5), 0);
  EXPECT_EQ(RoundToIndex(1.5), 2);
  EXPECT_EQ(RoundToIndex(-0.5), 0);
  EXPECT_EQ(RoundToIndex(-1.5), -2);
  EXPECT_EQ(RoundToIndex(-2.5), -2);
  EXPECT_EQ(RoundToIndex(2.4999999), 2);
  EXPECT_EQ(RoundToIndex(2.5000001), 3);
  EXPECT_EQ(RoundToIndex(-2.6), -3);
  EXPECT_EQ(RoundToIndex(600.0), 600);
}

TEST(RoundToIndex, SaturatesAtTheInt32Limits) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(RoundToIndex(ParseNumber("1e300")), kMax);
  EXPECT_EQ(RoundToIndex(ParseNumber("-1e300")), kMin);
  EXPECT_EQ(RoundToIndex(ParseNumber("1e400")), kMax);
  EXPECT_EQ(RoundToIndex(ParseNumber("-1e400")), kMin);
  EXPECT_EQ(RoundToIndex(ParseNumber("&H7FFFFFFFFFFFFFFF")), kMax);
  EXPECT_EQ(RoundToIndex(std::nan("")), 0);
  EXPECT_EQ(RoundToIndex(2147483647.0), kMax);
  EXPECT_EQ(RoundToIndex(2147483647.4), kMax);
  EXPECT_EQ(RoundToIndex(2147483648.0), kMax);
  EXPECT_EQ(RoundToIndex(2147483646.5), 2147483646);
  EXPECT_EQ(RoundToIndex(-2147483648.0), kMin);
  EXPECT_EQ(RoundToIndex(-2147483647.5), kMin);
  EXPECT_EQ(RoundToIndex(-2147483649.0), kMin);
}

TEST(RoundToFloat, NearestFloatAndInfinitiesBeyond) {
  EXPECT_EQ(RoundToFloat(0.1), 0.1f);
  EXPECT_EQ(RoundToFloat(150.0), 150.0f);
  EXPECT_EQ(RoundToFloat(static_cast<double>(FLT_MAX)), FLT_MAX);
  EXPECT_EQ(RoundToFloat(static_cast<double>(FLT_MAX) + 0x1p102), FLT_MAX);
  EXPECT_EQ(RoundToFloat(static_cast<double>(FLT_MAX) + 0x1p103), std::numeric_limits<float>::infinity());
  EXPECT_EQ(RoundToFloat(1e300), std::numeric_limits<float>::infinity());
  EXPECT_EQ(RoundToFloat(-1e300), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(RoundToFloat(1e-300), 0.0f);
}

// A locale whose decimal separator is a comma must not change any number.
class UnderDecimalCommaLocale : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseDecimalCommaLocale(); }
  static void TearDownTestSuite() { UseCLocale(); }
  void SetUp() override {
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',') << "no locale with a decimal comma could be made";
    // The C library itself now reads a comma as the decimal point.
    ASSERT_EQ(std::strtod("1,5", nullptr), 1.5);
  }
};

TEST_F(UnderDecimalCommaLocale, NumbersReadAsUnderTheCLocale) {
  EXPECT_EQ(ParseNumber("2.5"), 2.5);
  EXPECT_EQ(RoundToIndex(ParseNumber("2.5")), 2);
  EXPECT_EQ(RoundToIndex(ParseNumber("3.5")), 4);
  EXPECT_EQ(ParseNumber("1.5e2"), 150.0);
  EXPECT_EQ(ParseNumber("1.5d2"), 150.0);
  EXPECT_EQ(ParseNumber("&H10"), 16.0);
  EXPECT_EQ(ParseNumber("&b101"), 5.0);
  EXPECT_EQ(ParseNumber("1,5"), 1.0);
  EXPECT_EQ(ParseNumber("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
  // Out of range: a conversion under this locale would stop at the point and give 1.
  EXPECT_EQ(ParseNumber("1.5e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("1.5e-400"), 0.0);
}

}  // namespace
