#include "model/bmp.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "model/regular_file.h"

namespace {

constexpr std::size_t kHeaderSize = 54;
constexpr std::size_t kWidthOffset = 18;
constexpr std::size_t kHeightOffset = 22;
constexpr std::size_t kBitsPerPixelOffset = 28;
constexpr std::size_t kCompressionOffset = 30;
constexpr std::size_t kFileBytesPerPixel = 3;
constexpr std::size_t kTexelBytes = 4;
// A row is read in pieces of at most this many pixels, so that a very wide
// header costs no second buffer the size of its row.
constexpr std::size_t kChunkPixels = 4096;

int32_t ReadInt32(const std::array<uint8_t, kHeaderSize>& header, std::size_t offset) {
  uint32_t bits = uint32_t{header[offset]} | uint32_t{header[offset + 1]} << 8 |
                  uint32_t{header[offset + 2]} << 16 | uint32_t{header[offset + 3]} << 24;
  int32_t value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Reads up to size bytes; whatever lies past the end of the file reads as zero.
void ReadOrZero(std::FILE* file, uint8_t* bytes, std::size_t size) {
  std::size_t got = std::fread(bytes, 1, size, file);
  std::memset(bytes + got, 0, size - got);
}

// Pure magenta is the colour key: only it gets alpha 0, near-magenta keeps 255.
uint8_t AlphaOf(uint8_t blue, uint8_t green, uint8_t red) {
  return (blue == 0xFF && green == 0x00 && red == 0xFF) ? 0x00 : 0xFF;
}

// Fills texel row y (which holds width texels) from the file's next pixel row.
// The row's first file pixel lands in the last column: the texture is the
// image mirrored left to right.
void DecodeRow(std::FILE* file, std::size_t width, uint8_t* row) {
  std::array<uint8_t, kChunkPixels * kFileBytesPerPixel> chunk;
  std::size_t column = width;  // one past the texel the next file pixel fills
  while (column > 0) {
    std::size_t pixels = std::min(column, kChunkPixels);
    ReadOrZero(file, chunk.data(), pixels * kFileBytesPerPixel);
    for (std::size_t i = 0; i < pixels; ++i) {
      const uint8_t* pixel = chunk.data() + i * kFileBytesPerPixel;
      uint8_t* texel = row + (column - 1 - i) * kTexelBytes;
      texel[0] = pixel[0];
      texel[1] = pixel[1];
      texel[2] = pixel[2];
      texel[3] = AlphaOf(pixel[0], pixel[1], pixel[2]);
    }
    column -= pixels;
  }
  // The file pads each row to a multiple of four bytes; skipping the padding
  // keeps every width, not only multiples of four, as it was drawn.
  std::size_t padding = (4 - width * kFileBytesPerPixel % 4) % 4;
  std::array<uint8_t, 3> skipped;
  ReadOrZero(file, skipped.data(), padding);
}

}  // namespace

void DecodeBmp(std::FILE* file, BmpImage& image, std::size_t maxTexelBytes) {
  std::array<uint8_t, kHeaderSize> header{};
  ReadOrZero(file, header.data(), header.size());
  image.width = ReadInt32(header, kWidthOffset);
  image.height = ReadInt32(header, kHeightOffset);
  image.hasSignature = header[0] == 'B' && header[1] == 'M';
  image.bitsPerPixel = static_cast<uint16_t>(header[kBitsPerPixelOffset] | header[kBitsPerPixelOffset + 1] << 8);
  image.compression = static_cast<uint32_t>(ReadInt32(header, kCompressionOffset));
  image.texels.clear();
  image.texelsMade = false;
  if (image.width <= 0 || image.height <= 0) return;  // no pixel to read

  // Both sizes are below 2^31, so the product cannot overflow 64 bits. A header
  // that asks for more than the limit is refused like a failed allocation,
  // before anything is allocated.
  const uint64_t width = static_cast<uint64_t>(image.width);
  const uint64_t height = static_cast<uint64_t>(image.height);
  const uint64_t bytes = width * height * kTexelBytes;
  if (bytes > maxTexelBytes) return;
  try {
    image.texels.resize(static_cast<std::size_t>(bytes));
  } catch (const std::bad_alloc&) {
    image.texels.clear();
    image.texels.shrink_to_fit();
    return;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width) * kTexelBytes;
  for (std::size_t y = 0; y < height; ++y) {
    DecodeRow(file, static_cast<std::size_t>(width), image.texels.data() + y * rowBytes);
  }
  image.texelsMade = true;
}

std::string DescribeHeaderProblem(const BmpImage& image) {
  if (!image.hasSignature) return "does not begin with \"BM\"";
  if (image.bitsPerPixel != 24) return "has " + std::to_string(image.bitsPerPixel) + " bits per pixel";
  if (image.compression != 0) return "is compressed (method " + std::to_string(image.compression) + ")";
  if (image.height < 0) return "stores its rows top-down (negative height)";
  return "";
}

bool ReadBmpFile(const std::string& fileName, BmpImage& image) {
  const OwnedFile file = OpenRegularFile(fileName);
  if (!file) return false;
  DecodeBmp(file.get(), image);
  return true;
}
