#include "image.h"

#include <algorithm>
#include <cmath>

namespace {

int Wrapped(int value, int size) { return ((value % size) + size) % size; }

uint8_t ClampedByte(double value) {
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

Image MakeImage(int width, int height, Rgb fill) {
  return {width, height, std::vector<Rgb>(static_cast<std::size_t>(width) * height, fill)};
}

Rgb PixelAt(const Image& image, int x, int y) {
  const int column = Wrapped(x, image.width);
  const int row = Wrapped(y, image.height);
  return image.pixels[static_cast<std::size_t>(row) * image.width + column];
}

void SetPixel(Image& image, int x, int y, Rgb colour) {
  const int column = Wrapped(x, image.width);
  const int row = Wrapped(y, image.height);
  image.pixels[static_cast<std::size_t>(row) * image.width + column] = colour;
}

void FillRect(Image& image, int x, int y, int width, int height, Rgb colour) {
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) SetPixel(image, column, row, colour);
  }
}

Rgb Mix(Rgb a, Rgb b, double amount) {
  return {ClampedByte(a.red + (b.red - a.red) * amount), ClampedByte(a.green + (b.green - a.green) * amount),
          ClampedByte(a.blue + (b.blue - a.blue) * amount)};
}

Rgb Scaled(Rgb colour, double factor) {
  return {ClampedByte(colour.red * factor), ClampedByte(colour.green * factor),
          ClampedByte(colour.blue * factor)};
}

std::string BmpBytes(const Image& image) {
  const uint32_t rowBytes = (3u * image.width + 3u) / 4u * 4u;
  const uint32_t pixelBytes = rowBytes * image.height;
  std::string bytes = "BM";
  PutLittleEndian(bytes, 54 + pixelBytes, 4);  // file size
  PutLittleEndian(bytes, 0, 4);                // reserved
  PutLittleEndian(bytes, 54, 4);               // offset of the pixel data
  PutLittleEndian(bytes, 40, 4);               // size of the information header
  PutLittleEndian(bytes, static_cast<uint32_t>(image.width), 4);
  PutLittleEndian(bytes, static_cast<uint32_t>(image.height), 4);  // positive: bottom row first
  PutLittleEndian(bytes, 1, 2);                // colour planes
  PutLittleEndian(bytes, 24, 2);               // bits per pixel
  PutLittleEndian(bytes, 0, 4);                // no compression
  PutLittleEndian(bytes, pixelBytes, 4);
  PutLittleEndian(bytes, 2835, 4);             // 72 dots per inch, both ways
  PutLittleEndian(bytes, 2835, 4);
  PutLittleEndian(bytes, 0, 4);                // colours used
  PutLittleEndian(bytes, 0, 4);                // important colours
  for (int row = image.height - 1; row >= 0; --row) {
    for (int column = image.width - 1; column >= 0; --column) {
      const Rgb pixel = PixelAt(image, column, row);
      bytes += static_cast<char>(pixel.blue);
      bytes += static_cast<char>(pixel.green);
      bytes += static_cast<char>(pixel.red);
    }
    bytes.append(rowBytes - 3u * image.width, '\0');
  }
  return bytes;
}
