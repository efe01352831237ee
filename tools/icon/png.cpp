#include "png.h"

#include <array>
#include <cstdint>

namespace {

void PutBigEndian(std::string& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFFu);
}

uint32_t Crc32(const std::string& bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (char byte : bytes) crc = table[(crc ^ static_cast<uint8_t>(byte)) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::string& bytes) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (char byte : bytes) {
    a = (a + static_cast<uint8_t>(byte)) % 65521u;
    b = (b + a) % 65521u;
  }
  return b << 16 | a;
}

// A zlib stream of stored blocks, each at most 65535 bytes.
std::string StoredZlib(const std::string& data) {
  std::string stream = "\x78\x01";  // deflate, 32 KiB window, no preset dictionary
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(data.size() - offset, 65535);
    const bool last = offset + length == data.size();
    stream += static_cast<char>(last ? 1 : 0);
    stream += static_cast<char>(length & 0xFFu);
    stream += static_cast<char>(length >> 8);
    stream += static_cast<char>(~length & 0xFFu);
    stream += static_cast<char>((~length >> 8) & 0xFFu);
    stream.append(data, offset, length);
    offset += length;
  } while (offset < data.size());
  PutBigEndian(stream, Adler32(data));
  return stream;
}

void PutChunk(std::string& file, const char* type, const std::string& data) {
  PutBigEndian(file, static_cast<uint32_t>(data.size()));
  const std::string typed = type + data;
  file += typed;
  PutBigEndian(file, Crc32(typed));
}

}  // namespace

std::string PngBytes(const RgbaImage& image) {
  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(image.width));
  PutBigEndian(header, static_cast<uint32_t>(image.height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, filter set 0, not interlaced

  std::string rows;
  for (int y = 0; y < image.height; ++y) {
    rows += '\0';  // no filter
    for (int x = 0; x < image.width; ++x) {
      const Rgba& pixel = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      rows += {static_cast<char>(pixel.red), static_cast<char>(pixel.green), static_cast<char>(pixel.blue),
               static_cast<char>(pixel.alpha)};
    }
  }

  std::string file = "\x89PNG\r\n\x1a\n";
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", StoredZlib(rows));
  PutChunk(file, "IEND", "");
  return file;
}
