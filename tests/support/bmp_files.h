#pragma once
// BMP files built byte by byte, as the decoder reads them.
#include <cstdint>
#include <string>
#include <vector>

struct FilePixel {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};

// The 54-byte header with only width and height filled in.
std::string BmpHeader(int32_t width, int32_t height);

// A whole file: rows of width pixels in file order, each padded to four bytes
// with padByte (something other than zero shows a reader that takes padding
// for pixels).
std::string BmpFile(int32_t width, int32_t height, const std::vector<FilePixel>& pixels, uint8_t padByte = 0xEE);

// A whole file of grey pixels.
std::string GreyBmp(int32_t width, int32_t height, uint8_t grey = 0x80);
