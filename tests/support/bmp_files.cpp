#include "tests/support/bmp_files.h"

std::string BmpHeader(int32_t width, int32_t height) {
  std::string bytes(54, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  auto put = [&bytes](std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
  };
  put(10, 54);
  put(14, 40);
  put(18, static_cast<uint32_t>(width));
  put(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

std::string BmpFile(int32_t width, int32_t height, const std::vector<FilePixel>& pixels, uint8_t padByte) {
  std::string bytes = BmpHeader(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const FilePixel& p = pixels[static_cast<std::size_t>(y * width + x)];
      bytes += {static_cast<char>(p.blue), static_cast<char>(p.green), static_cast<char>(p.red)};
    }
    while ((bytes.size() - 54) % 4 != 0) bytes += static_cast<char>(padByte);
  }
  return bytes;
}

std::string GreyBmp(int32_t width, int32_t height, uint8_t grey) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  return BmpFile(width, height, std::vector<FilePixel>(count, FilePixel{grey, grey, grey}), grey);
}
