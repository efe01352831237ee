#pragma once
// Test helpers: BMP bytes built by hand and written to a private directory.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct FilePixel {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};

// The 54-byte header with only width and height filled in, as the loader reads it.
inline std::vector<uint8_t> BmpHeader(int32_t width, int32_t height) {
  std::vector<uint8_t> bytes(54, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  auto put = [&bytes](std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put(10, 54);
  put(14, 40);
  put(18, static_cast<uint32_t>(width));
  put(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

// A whole file: rows of width pixels in file order, each padded to four bytes
// with padByte (something other than zero shows a reader that takes padding
// for pixels).
inline std::vector<uint8_t> BmpFile(int32_t width, int32_t height, const std::vector<FilePixel>& pixels,
                                    uint8_t padByte = 0xEE) {
  std::vector<uint8_t> bytes = BmpHeader(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const FilePixel& p = pixels[static_cast<std::size_t>(y * width + x)];
      bytes.insert(bytes.end(), {p.blue, p.green, p.red});
    }
    while ((bytes.size() - 54) % 4 != 0) bytes.push_back(padByte);
  }
  return bytes;
}

// A fresh directory, removed with everything in it when the test ends.
struct TempDir {
  std::filesystem::path path;
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "viewer-test-XXXXXX").string();
    if (const char* made = mkdtemp(pattern.data())) path = made;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::filesystem::path file = path / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
};
