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
  bool texelsMade;  // false when the sizes gave no buffer to fill
};

// The largest texel buffer a header may ask for: 8192 x 8192 texels.
constexpr std::size_t kMaxTexelBytes = std::size_t{256} << 20;

// Reads the header and pixels from the file's current position.
void DecodeBmp(std::FILE* file, BmpImage& image, std::size_t maxTexelBytes = kMaxTexelBytes);

// Opens fileName and decodes it. False, with image untouched, when it cannot be opened.
bool ReadBmpFile(const std::string& fileName, BmpImage& image);
