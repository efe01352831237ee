#include "ico.h"

#include <cstdint>

#include "png.h"

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

std::string IcoBytes(const std::vector<RgbaImage>& images) {
  std::string header;
  PutLittleEndian(header, 0, 2);  // reserved
  PutLittleEndian(header, 1, 2);  // an icon, not a cursor
  PutLittleEndian(header, static_cast<uint32_t>(images.size()), 2);

  std::string pictures;
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const RgbaImage& image : images) {
    const std::string png = PngBytes(image);
    header += static_cast<char>(image.width % 256);  // 0 stands for 256
    header += static_cast<char>(image.height % 256);
    PutLittleEndian(header, 0, 1);   // no palette
    PutLittleEndian(header, 0, 1);   // reserved
    PutLittleEndian(header, 1, 2);   // colour planes
    PutLittleEndian(header, 32, 2);  // bits per pixel
    PutLittleEndian(header, static_cast<uint32_t>(png.size()), 4);
    PutLittleEndian(header, offset, 4);
    offset += static_cast<uint32_t>(png.size());
    pictures += png;
  }
  return header + pictures;
}
