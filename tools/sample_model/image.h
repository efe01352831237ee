#pragma once
// Pictures for the textures, drawn the way they should look on the model, and
// their 24-bit BMP files.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// Column 0 is texture coordinate u = 0 and row 0 the top (v = 1); rows run
// down, columns right, as the texture appears on a surface seen from outside.
struct Image {
  int width;
  int height;
  std::vector<Rgb> pixels;
};

Image MakeImage(int width, int height, Rgb fill);

// Coordinates wrap around both edges, as the texture repeats on the model.
Rgb PixelAt(const Image& image, int x, int y);
void SetPixel(Image& image, int x, int y, Rgb colour);
void FillRect(Image& image, int x, int y, int width, int height, Rgb colour);

// amount 0 gives a, 1 gives b.
Rgb Mix(Rgb a, Rgb b, double amount);
// factor 1 keeps the colour; the result is clamped to 0..255.
Rgb Scaled(Rgb colour, double factor);

// The file bytes: 54-byte header, rows bottom row first, each row padded to
// four bytes. The viewer mirrors every row left to right when it loads a
// texture, so each row is stored mirrored here and the two cancel out.
std::string BmpBytes(const Image& image);
