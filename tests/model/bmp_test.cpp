// Decoding BMP files written byte by byte, without OpenGL.
#include "model/bmp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/bmp_files.h"
#include "tests/support/files.h"

namespace {

using Texels = std::vector<uint8_t>;

BmpImage Decode(const std::string& bytes, std::size_t maxTexelBytes = kMaxTexelBytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  BmpImage image{};
  DecodeBmp(file, image, maxTexelBytes);
  std::fclose(file);
  return image;
}

// The texels of one row, from column 0, for file pixels given in file order:
// the last file pixel comes first.
Texels MirroredRow(const std::vector<FilePixel>& filePixels) {
  Texels row;
  for (auto p = filePixels.rbegin(); p != filePixels.rend(); ++p) {
    bool magenta = p->blue == 0xFF && p->green == 0x00 && p->red == 0xFF;
    row.insert(row.end(), {p->blue, p->green, p->red, static_cast<uint8_t>(magenta ? 0x00 : 0xFF)});
  }
  return row;
}

// The fields the decoder passes over are read only to tell the user what the
// file is; both bytes of bits per pixel and all four of compression count.
TEST(DecodeBmp, DescribesHeadersOtherThanUncompressed24BitBottomUp) {
  auto header = [](int32_t height, std::size_t offset, char value) {
    std::string bytes = BmpHeader(1, height) + "abcd";
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[28] = 24;
    bytes[offset] = value;
    return DescribeHeaderProblem(Decode(bytes));
  };
  EXPECT_EQ(header(1, 2, 0), "");
  EXPECT_EQ(header(1, 0, 'P'), "does not begin with \"BM\"");
  EXPECT_EQ(header(1, 28, 32), "has 32 bits per pixel");
  EXPECT_EQ(header(1, 29, 1), "has 280 bits per pixel");
  EXPECT_EQ(header(1, 30, 1), "is compressed (method 1)");
  EXPECT_EQ(header(1, 33, 1), "is compressed (method 16777216)");
  EXPECT_EQ(header(-1, 2, 0), "stores its rows top-down (negative height)");
}

TEST(DecodeBmp, MirrorsEachRowLeftToRight) {
  const FilePixel p1{1, 2, 3}, p2{4, 5, 6}, p3{7, 8, 9}, p4{10, 11, 12};
  BmpImage image = Decode(BmpFile(4, 1, {p1, p2, p3, p4}));
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 1);
  EXPECT_TRUE(image.texelsMade);
  EXPECT_EQ(image.texels, (Texels{10, 11, 12, 255, 7, 8, 9, 255, 4, 5, 6, 255, 1, 2, 3, 255}));
}

TEST(DecodeBmp, OnlyPureMagentaGetsAlphaZero) {
  // File order: blue, green, red.
  BmpImage image =
      Decode(BmpFile(4, 1, {{0x10, 0x20, 0x30}, {0xFF, 0x00, 0xFF}, {0xFF, 0x00, 0xFE}, {0xFF, 0x01, 0xFF}}));
  EXPECT_EQ(image.texels, (Texels{0xFF, 0x01, 0xFF, 0xFF,    // near magenta
                                  0xFF, 0x00, 0xFE, 0xFF,    // near magenta
                                  0xFF, 0x00, 0xFF, 0x00,    // magenta
                                  0x10, 0x20, 0x30, 0xFF}));  // bytes kept in file order
}

// Also: the file's first row becomes texture row 0.
TEST(DecodeBmp, SkipsRowPaddingOfEveryWidth) {
  for (int32_t width : {1, 2, 3, 5, 6, 7}) {
    SCOPED_TRACE(width);
    const int32_t height = 3;
    std::vector<FilePixel> pixels;
    for (int32_t i = 0; i < width * height; ++i) {
      pixels.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i + 1)});
    }
    BmpImage image = Decode(BmpFile(width, height, pixels));
    Texels expected;
    for (int32_t row = 0; row < height; ++row) {
      Texels mirrored = MirroredRow({pixels.begin() + row * width, pixels.begin() + (row + 1) * width});
      expected.insert(expected.end(), mirrored.begin(), mirrored.end());
    }
    EXPECT_EQ(image.texels, expected);
  }
}

TEST(DecodeBmp, RowsOfMultipleOfFourWidthsAreReadWithoutGaps) {
  // 4 pixels make 12 bytes, already a multiple of four: the second row starts
  // right behind the first, so nothing may be skipped between them.
  std::string bytes = BmpHeader(4, 2);
  for (char i = 0; i < 24; ++i) bytes += i;
  BmpImage image = Decode(bytes);
  EXPECT_EQ(image.texels, (Texels{9, 10, 11, 255, 6, 7, 8, 255, 3, 4, 5, 255, 0, 1, 2, 255,
                                  21, 22, 23, 255, 18, 19, 20, 255, 15, 16, 17, 255, 12, 13, 14, 255}));
}

TEST(DecodeBmp, BytesPastTheEndOfThePixelDataReadAsZero) {
  std::string bytes = BmpFile(4, 2, std::vector<FilePixel>(8, FilePixel{0x40, 0x50, 0x60}));
  // Cut inside the second row: its first pixel whole, one byte of the second.
  bytes.resize(54 + 12 + 3 + 1);
  BmpImage image = Decode(bytes);
  const Texels whole{0x40, 0x50, 0x60, 0xFF};
  Texels expected;
  for (int i = 0; i < 4; ++i) expected.insert(expected.end(), whole.begin(), whole.end());
  expected.insert(expected.end(), {0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0x40, 0, 0, 0xFF});
  expected.insert(expected.end(), whole.begin(), whole.end());
  EXPECT_EQ(image.texels, expected);
}

TEST(DecodeBmp, ALargeClaimOnATinyFileGivesOpaqueBlack) {
  BmpImage image = Decode(BmpHeader(300, 200));
  ASSERT_EQ(image.texels.size(), 300u * 200u * 4u);
  for (std::size_t i = 0; i < image.texels.size(); i += 4) {
    ASSERT_EQ(image.texels[i] | image.texels[i + 1] | image.texels[i + 2], 0) << i;
    ASSERT_EQ(image.texels[i + 3], 0xFF) << i;
  }
}

TEST(DecodeBmp, HeaderCutShortReadsMissingBytesAsZero) {
  std::string header = BmpHeader(0x0302, 0x0101);
  // Only the two low bytes of the width: width 0x0302, height 0, no pixel.
  BmpImage shortWidth = Decode(header.substr(0, 20));
  EXPECT_EQ(shortWidth.width, 0x0302);
  EXPECT_EQ(shortWidth.height, 0);
  EXPECT_TRUE(shortWidth.texels.empty());
  EXPECT_FALSE(shortWidth.texelsMade);
  EXPECT_FALSE(TexelsRefused(shortWidth));

  // Width whole, height from its low byte only: 0x0302 x 1 of black pixels.
  BmpImage shortHeight = Decode(header.substr(0, 23));
  EXPECT_EQ(shortHeight.width, 0x0302);
  EXPECT_EQ(shortHeight.height, 1);
  ASSERT_EQ(shortHeight.texels.size(), 0x0302u * 4u);
  EXPECT_EQ(shortHeight.texels[0x0302 * 4 - 1], 0xFF);
  EXPECT_EQ(shortHeight.texels[0], 0);
}

TEST(DecodeBmp, EmptyFileGivesAZeroSizedImage) {
  BmpImage image = Decode({});
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_TRUE(image.texels.empty());
  EXPECT_FALSE(image.texelsMade);
  EXPECT_FALSE(TexelsRefused(image));
}

TEST(DecodeBmp, ZeroOrNegativeSizesReadNoPixel) {
  const std::vector<FilePixel> pixels(4, FilePixel{1, 2, 3});
  struct Case {
    int32_t width;
    int32_t height;
  };
  for (Case c : {Case{2, -2}, Case{-2, 2}, Case{-2, -2}, Case{0, 5}, Case{5, 0}, Case{INT32_MIN, INT32_MIN}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    BmpImage image = Decode(BmpHeader(c.width, c.height) + BmpFile(2, 2, pixels).substr(54));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_TRUE(image.texels.empty());
    EXPECT_FALSE(image.texelsMade);
    EXPECT_FALSE(TexelsRefused(image));  // nothing asked for, nothing refused
  }
}

TEST(DecodeBmp, RefusesHeadersThatAskForTooLargeABuffer) {
  struct Case {
    int32_t width;
    int32_t height;
  };
  // 65536 x 65536 x 4 is 2^34, which wraps to 0 in 32 bits; 8193 x 8192 is one
  // column over the limit.
  for (Case c : {Case{INT32_MAX, INT32_MAX}, Case{65536, 65536}, Case{0x40000000, 1}, Case{1, 0x40000000},
                 Case{8193, 8192}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    BmpImage image = Decode(BmpHeader(c.width, c.height));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_FALSE(image.texelsMade);
    EXPECT_TRUE(TexelsRefused(image));
    EXPECT_TRUE(image.texels.empty());
  }
}

TEST(DecodeBmp, TheBufferLimitIsInclusive) {
  std::string bytes = BmpFile(4, 4, std::vector<FilePixel>(16, FilePixel{9, 9, 9}));
  BmpImage refused = Decode(bytes, 63);
  EXPECT_TRUE(TexelsRefused(refused));
  EXPECT_TRUE(refused.texels.empty());
  BmpImage made = Decode(bytes, 64);
  EXPECT_TRUE(made.texelsMade);
  EXPECT_EQ(made.texels.size(), 64u);
}

using ReadBmpFileTest = InScratchDirectory;

TEST_F(ReadBmpFileTest, OpensOnlyRegularFiles) {
  BmpImage image{7, 9, {1}, true, false, 0, 0};
  EXPECT_FALSE(ReadBmpFile("missing.bmp", image));
  EXPECT_FALSE(ReadBmpFile(".", image));
  EXPECT_EQ(image.width, 7);  // untouched
  EXPECT_EQ(image.height, 9);
  EXPECT_EQ(image.texels, Texels{1});
  EXPECT_TRUE(image.texelsMade);

  WriteFile("one.bmp", BmpFile(1, 1, {{1, 2, 3}}));
  ASSERT_TRUE(ReadBmpFile("one.bmp", image));
  EXPECT_EQ(image.texels, (Texels{1, 2, 3, 255}));
  EXPECT_TRUE(image.texelsMade);
}

}  // namespace
