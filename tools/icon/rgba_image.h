#pragma once
// A picture with coverage: the icon's pixels, straight (not premultiplied)
// alpha, top row first.
#include <cstdint>
#include <vector>

struct Rgba {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t alpha;
};

struct RgbaImage {
  int width;
  int height;
  std::vector<Rgba> pixels;
};
