#include "emblem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "starship.h"

namespace {

// Each pixel is the mean of kSamples x kSamples samples, which smooths edges.
constexpr int kSamples = 4;

struct Colour {
  double red;
  double green;
  double blue;
};

// The picture before it is reduced to pixels: colour and coverage per sample.
struct Samples {
  int size;
  std::vector<Colour> colour;
  std::vector<double> cover;
  std::vector<double> depth;  // larger is nearer
};

void Paint(Samples& samples, int index, Colour colour, double cover) {
  const Colour under = samples.colour[index];
  samples.colour[index] = {under.red + (colour.red - under.red) * cover,
                           under.green + (colour.green - under.green) * cover,
                           under.blue + (colour.blue - under.blue) * cover};
  samples.cover[index] = std::max(samples.cover[index], cover);
}

// A dark disc with a faint glow towards its upper left and a few stars.
void DrawSky(Samples& samples) {
  const double centre = samples.size / 2.0;
  const double radius = samples.size * 0.47;
  const Colour deep{8, 12, 36};
  const Colour glow{36, 52, 110};
  for (int y = 0; y < samples.size; ++y) {
    for (int x = 0; x < samples.size; ++x) {
      const double dx = x + 0.5 - centre;
      const double dy = y + 0.5 - centre;
      if (std::hypot(dx, dy) > radius) continue;
      const double toward = std::clamp(1.0 - std::hypot(dx + 0.4 * radius, dy + 0.4 * radius) / (1.6 * radius), 0.0, 1.0);
      Paint(samples, y * samples.size + x,
            {deep.red + (glow.red - deep.red) * toward, deep.green + (glow.green - deep.green) * toward,
             deep.blue + (glow.blue - deep.blue) * toward},
            1.0);
    }
  }
  if (samples.size < 48 * kSamples) return;  // too small for stars to read as stars
  const double stars[][2] = {{0.30, 0.22}, {0.62, 0.16}, {0.80, 0.34}, {0.18, 0.58}, {0.70, 0.80}, {0.42, 0.86}};
  const double starRadius = samples.size / 110.0;
  for (const auto& star : stars) {
    const double sx = star[0] * samples.size;
    const double sy = star[1] * samples.size;
    for (int y = static_cast<int>(sy - starRadius); y <= static_cast<int>(sy + starRadius); ++y) {
      for (int x = static_cast<int>(sx - starRadius); x <= static_cast<int>(sx + starRadius); ++x) {
        if (std::hypot(x + 0.5 - sx, y + 0.5 - sy) <= starRadius) Paint(samples, y * samples.size + x, {230, 235, 255}, 1.0);
      }
    }
  }
}

// The mean colour of a texture, as the ship shows it from afar.
Colour MeanColour(const Image& image) {
  Colour sum{0, 0, 0};
  for (const Rgb& pixel : image.pixels) {
    sum = {sum.red + pixel.red, sum.green + pixel.green, sum.blue + pixel.blue};
  }
  const double count = static_cast<double>(image.pixels.size());
  return {sum.red / count, sum.green / count, sum.blue / count};
}

// The ship as the viewer first shows it, then turned so that it lies across
// the square from lower left to upper right, seen a little more from above.
Vec3d IconView(Vec3d p) {
  const Vec3d eye{-p.x, p.y, -p.z};  // the viewer's half turn about the vertical axis
  const double tilt = Radians(25.0);
  const Vec3d tilted{eye.x, eye.y * std::cos(tilt) - eye.z * std::sin(tilt), eye.y * std::sin(tilt) + eye.z * std::cos(tilt)};
  const double roll = Radians(28.0);
  return {tilted.x * std::cos(roll) - tilted.y * std::sin(roll), tilted.x * std::sin(roll) + tilted.y * std::cos(roll),
          tilted.z};
}

struct ScreenCorner {
  double x;
  double y;
  double depth;
  double light;
};

void DrawTriangle(Samples& samples, const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c,
                  Colour colour) {
  const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  if (std::fabs(area) < 1e-12) return;
  const int left = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
  const int right = std::min(samples.size - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
  const int top = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
  const int bottom = std::min(samples.size - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      const double wa = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
      const double wb = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
      const double wc = 1.0 - wa - wb;
      if (wa < 0.0 || wb < 0.0 || wc < 0.0) continue;
      const int index = y * samples.size + x;
      const double depth = wa * a.depth + wb * b.depth + wc * c.depth;
      if (depth <= samples.depth[index]) continue;
      samples.depth[index] = depth;
      const double light = wa * a.light + wb * b.light + wc * c.light;
      Paint(samples, index, {colour.red * light, colour.green * light, colour.blue * light}, 1.0);
    }
  }
}

void DrawShip(Samples& samples) {
  const Starship ship = BuildStarship();
  std::map<std::string, Colour> textureColours;
  for (const TextureFile& texture : ship.textures) textureColours[texture.fileName] = MeanColour(texture.image);

  // Fit the ship into the middle of the square.
  double low[2] = {1e9, 1e9};
  double high[2] = {-1e9, -1e9};
  for (const Polygon& polygon : ship.mesh.polygons) {
    for (const Corner& corner : polygon.corners) {
      const Vec3d p = IconView(corner.position);
      low[0] = std::min(low[0], p.x);
      low[1] = std::min(low[1], p.y);
      high[0] = std::max(high[0], p.x);
      high[1] = std::max(high[1], p.y);
    }
  }
  const double scale = samples.size * 0.94 / std::max(high[0] - low[0], high[1] - low[1]);
  const double middleX = 0.5 * (low[0] + high[0]);
  const double middleY = 0.5 * (low[1] + high[1]);

  const Vec3d toLight = Normalized({-0.45, 0.65, 0.6});
  for (const Polygon& polygon : ship.mesh.polygons) {
    const ShipMaterial& material = ship.materials[polygon.material];
    Colour colour{255.0 * material.red, 255.0 * material.green, 255.0 * material.blue};
    if (!material.textureFile.empty()) {
      const Colour texture = textureColours[material.textureFile];
      colour = {colour.red * texture.red / 255.0, colour.green * texture.green / 255.0,
                colour.blue * texture.blue / 255.0};
    }
    std::vector<ScreenCorner> corners;
    for (const Corner& corner : polygon.corners) {
      const Vec3d p = IconView(corner.position);
      const Vec3d n = IconView(corner.normal);
      corners.push_back({samples.size / 2.0 + (p.x - middleX) * scale, samples.size / 2.0 - (p.y - middleY) * scale,
                         p.z, 0.35 + 0.8 * std::max(0.0, Dot(n, toLight))});
    }
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) DrawTriangle(samples, corners[0], corners[i], corners[i + 1], colour);
  }
}

uint8_t Byte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

}  // namespace

RgbaImage DrawEmblem(int size) {
  const int sampled = size * kSamples;
  const std::size_t count = static_cast<std::size_t>(sampled) * sampled;
  Samples samples{sampled, std::vector<Colour>(count, Colour{0, 0, 0}), std::vector<double>(count, 0.0),
                  std::vector<double>(count, -std::numeric_limits<double>::infinity())};
  DrawSky(samples);
  DrawShip(samples);

  RgbaImage image{size, size, std::vector<Rgba>(static_cast<std::size_t>(size) * size)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Colour sum{0, 0, 0};
      double cover = 0.0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const int index = (y * kSamples + sy) * sampled + x * kSamples + sx;
          const double c = samples.cover[index];
          sum = {sum.red + samples.colour[index].red * c, sum.green + samples.colour[index].green * c,
                 sum.blue + samples.colour[index].blue * c};
          cover += c;
        }
      }
      Rgba& pixel = image.pixels[static_cast<std::size_t>(y) * size + x];
      if (cover <= 0.0) {
        pixel = {0, 0, 0, 0};
        continue;
      }
      pixel = {Byte(sum.red / cover), Byte(sum.green / cover), Byte(sum.blue / cover),
               Byte(255.0 * cover / (kSamples * kSamples))};
    }
  }
  return image;
}
