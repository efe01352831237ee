#include "textures.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr Rgb kPlate{206, 208, 214};
constexpr Rgb kSeam{150, 154, 164};
constexpr Rgb kWindowLit{255, 234, 160};
constexpr Rgb kWindowDark{64, 74, 96};

// A fixed-seed generator: the same pictures on every run and every machine.
struct Random {
  uint32_t state;
};

double NextUnit(Random& random) {
  random.state = random.state * 1664525u + 1013904223u;
  return (random.state >> 8) / 16777216.0;
}

// Panels of slightly different shades with one-pixel seams; every other row
// of panels is shifted by half a panel, like laid plates.
void DrawPlating(Image& image, int panelWidth, int panelHeight, Rgb plate, uint32_t seed) {
  Random random{seed};
  for (int top = 0; top < image.height; top += panelHeight) {
    const int shift = (top / panelHeight) % 2 == 0 ? 0 : panelWidth / 2;
    for (int left = 0; left < image.width; left += panelWidth) {
      const Rgb shade = Scaled(plate, 0.95 + 0.08 * NextUnit(random));
      FillRect(image, left + shift, top, panelWidth, panelHeight, shade);
      FillRect(image, left + shift, top, 1, panelHeight, kSeam);
    }
    FillRect(image, 0, top, image.width, 1, kSeam);
  }
}

// Windows of width x 2 pixels every spacing pixels from x0 up to x1; a few
// stay dark.
void DrawWindowRow(Image& image, int y, int x0, int x1, int spacing, int width, uint32_t seed) {
  Random random{seed};
  for (int x = x0; x + width <= x1; x += spacing) {
    FillRect(image, x, y, width, 2, NextUnit(random) < 0.2 ? kWindowDark : kWindowLit);
  }
}

// The distance from the picture's centre, 0 there and 1 at the middle of an edge.
double Radius(const Image& image, int x, int y) {
  const double dx = (x + 0.5) / image.width * 2.0 - 1.0;
  const double dy = (y + 0.5) / image.height * 2.0 - 1.0;
  return std::sqrt(dx * dx + dy * dy);
}

double Angle(const Image& image, int x, int y) {
  return std::atan2((y + 0.5) / image.height - 0.5, (x + 0.5) / image.width - 0.5);
}

// Colour at a point of a gradient given as stops at increasing positions.
struct Stop {
  double at;
  Rgb colour;
};

template <std::size_t count>
Rgb Gradient(const Stop (&stops)[count], double at) {
  if (at <= stops[0].at) return stops[0].colour;
  for (std::size_t i = 1; i < count; ++i) {
    if (at <= stops[i].at) {
      return Mix(stops[i - 1].colour, stops[i].colour, (at - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
    }
  }
  return stops[count - 1].colour;
}

}  // namespace

Image SaucerTexture() {
  Image image = MakeImage(128, 64, kPlate);
  DrawPlating(image, 16, 8, kPlate, 11);
  // Rows from the top: v = 1 lies at the centre of the saucer, v = 0 at the rim.
  FillRect(image, 0, 0, 128, 5, Scaled(kPlate, 0.86));  // the ring around the bridge
  for (int x = 0; x < 128; x += 32) FillRect(image, x, 5, 2, 59, Scaled(kSeam, 0.85));  // radial ribs
  FillRect(image, 0, 40, 128, 1, Scaled(kSeam, 0.85));
  DrawWindowRow(image, 57, 3, 128, 4, 2, 21);
  DrawWindowRow(image, 60, 1, 128, 4, 2, 22);
  DrawWindowRow(image, 27, 4, 128, 8, 3, 23);
  return image;
}

Image RimTexture() {
  Image image = MakeImage(64, 8, Scaled(kPlate, 0.95));
  FillRect(image, 0, 0, 64, 1, kSeam);
  FillRect(image, 0, 7, 64, 1, kSeam);
  DrawWindowRow(image, 3, 1, 64, 4, 2, 31);
  return image;
}

Image HullTexture() {
  Image image = MakeImage(128, 64, kPlate);
  DrawPlating(image, 16, 8, kPlate, 41);
  const Rgb stripe{190, 40, 36};
  // Both sides: rows 48 (v = 0.25) and 16 (v = 0.75) run along the middle of a side.
  for (int side = 0; side < 2; ++side) {
    const int middle = side == 0 ? 48 : 16;
    DrawWindowRow(image, middle - 6, 22, 108, 4, 2, 42 + side);
    DrawWindowRow(image, middle + 4, 30, 100, 4, 2, 44 + side);
    FillRect(image, 8, middle - 1, 90, 1, stripe);
    FillRect(image, 8, middle + 1, 90, 1, stripe);
    // The arrowhead points to the bow, towards larger u.
    for (int step = 0; step < 5; ++step) {
      FillRect(image, 98 + step, middle - 4 + step, 1, 9 - 2 * step, stripe);
    }
  }
  // The spine along the top (v = 0.5) and the keel along the bottom.
  FillRect(image, 0, 30, 128, 4, Scaled(kPlate, 0.85));
  FillRect(image, 0, 62, 128, 4, Scaled(kPlate, 0.85));
  return image;
}

Image NeckTexture() {
  Image image = MakeImage(64, 32, kPlate);
  DrawPlating(image, 8, 8, kPlate, 51);
  DrawWindowRow(image, 10, 1, 64, 4, 2, 52);
  DrawWindowRow(image, 18, 1, 64, 4, 2, 53);
  return image;
}

Image NacelleTexture() {
  Image image = MakeImage(128, 32, Scaled(kPlate, 0.97));
  DrawPlating(image, 16, 8, Scaled(kPlate, 0.97), 61);
  // The grille along the inboard side (v = 0.75, row 8): glowing blue bars
  // between dark ribs.
  for (int x = 12; x < 116; ++x) {
    for (int y = 4; y < 13; ++y) {
      Rgb colour = (x % 2 == 0) ? Rgb{140, 210, 255} : Rgb{70, 150, 240};
      if (x % 8 == 0) colour = Rgb{30, 60, 120};
      if (y == 4 || y == 12) colour = Rgb{40, 80, 150};
      SetPixel(image, x, y, colour);
    }
  }
  // Along the outboard side (v = 0.25, row 24): a dark band with running lights.
  FillRect(image, 8, 23, 112, 3, Scaled(kPlate, 0.55));
  for (int x = 14; x < 116; x += 12) FillRect(image, x, 24, 3, 1, Rgb{150, 215, 255});
  // Darker rings at the stern and before the bow's dome.
  FillRect(image, 0, 0, 6, 32, Scaled(kPlate, 0.7));
  FillRect(image, 120, 0, 8, 32, Scaled(kPlate, 0.75));
  FillRect(image, 122, 0, 2, 32, kSeam);
  return image;
}

Image CollectorTexture() {
  static const Stop glow[] = {{0.0, {255, 236, 170}},
                              {0.25, {255, 170, 70}},
                              {0.65, {230, 70, 30}},
                              {1.0, {130, 20, 12}}};
  Image image = MakeImage(64, 64, glow[3].colour);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const double r = Radius(image, x, y);
      Rgb colour = Gradient(glow, r);
      // Eight vanes swirl out from the centre.
      const double vane = std::cos(8.0 * (Angle(image, x, y) + 1.2 * r));
      if (r > 0.3 && vane > 0.85) colour = Scaled(colour, 0.6);
      SetPixel(image, x, y, colour);
    }
  }
  return image;
}

Image DeflectorTexture() {
  static const Stop glow[] = {{0.0, {235, 250, 255}},
                              {0.16, {120, 200, 255}},
                              {0.3, {40, 110, 220}},
                              {0.34, {200, 120, 64}},
                              {1.0, {150, 82, 44}}};
  Image image = MakeImage(64, 64, glow[4].colour);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const double r = Radius(image, x, y);
      Rgb colour = Gradient(glow, r);
      // Copper rings and spokes on the dish outside the glow.
      const bool ring = r > 0.34 && std::fmod(r - 0.34, 0.14) < 0.035;
      const bool spoke = r > 0.34 && std::cos(12.0 * Angle(image, x, y)) > 0.95;
      if (ring || spoke) colour = Scaled(colour, 0.65);
      SetPixel(image, x, y, colour);
    }
  }
  return image;
}
