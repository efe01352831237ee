#pragma once
// Decoding of 24-bit BMP files into BGRA texel buffers, apart from OpenGL.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct BmpImage {
  int32_t width;   // as the header gives it
  int32_t height;  // as the header gives it
  // width * height texels of blue, green, red, alpha; row 0 is the file's first
  // row, each row mirrored left to right. Empty when no pixel was read.
  std::vector<uint8_t> texels;
  // True when texels holds all width * height texels, both sizes positive.
  // False when the sizes gave no buffer to fill: a width or height of 0 or
  // less, or a buffer refused as larger than the limit or the allocator gives.
  bool texelsMade;
  // What the header says beyond the sizes; the decoder reads the pixels as
  // 24-bit ones from offset 54 whatever it says.
  bool hasSignature;      // begins with "BM"
  uint16_t bitsPerPixel;
  uint32_t compression;   // 0: none
};

// What makes the header something other than an uncompressed 24-bit
// bottom-up BMP, in plain words ("has 32 bits per pixel"), or "" when it is one.
std::string DescribeHeaderProblem(const BmpImage& image);

// Whether the header asked for texels that were not made: positive sizes whose
// buffer was refused.
inline bool TexelsRefused(const BmpImage& image) {
  return !image.texelsMade && image.width > 0 && image.height > 0;
}

// The largest texel buffer a header may ask for: 8192 x 8192 texels.
constexpr std::size_t kMaxTexelBytes = std::size_t{256} << 20;

// Reads the header and pixels from the file's current position, front to back,
// never past the end: bytes the file does not have read as zero.
void DecodeBmp(std::FILE* file, BmpImage& image, std::size_t maxTexelBytes = kMaxTexelBytes);

// Opens fileName and decodes it. False, with image untouched, when it cannot be opened.
bool ReadBmpFile(const std::string& fileName, BmpImage& image);
