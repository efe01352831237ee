#include "starship.h"

#include <algorithm>

#include "shapes.h"
#include "textures.h"

namespace {

// Material numbers, in the order of the material library.
enum : int {
  kSaucer,
  kSaucerUnder,
  kRim,
  kBridge,
  kSensor,
  kNeck,
  kHull,
  kDeflector,
  kPylon,
  kNacelle,
  kCollector,
  kExhaust,
};

std::vector<ShipMaterial> Materials() {
  return {
      {"saucer", 0.80, 0.80, 0.82, "saucer.bmp"},
      {"saucer_under", 0.70, 0.70, 0.74, "saucer.bmp"},
      {"rim", 0.80, 0.80, 0.82, "rim.bmp"},
      {"bridge", 0.48, 0.55, 0.66, ""},
      {"sensor", 0.95, 0.70, 0.35, ""},
      {"neck", 0.80, 0.80, 0.82, "neck.bmp"},
      {"hull", 0.80, 0.80, 0.82, "hull.bmp"},
      {"deflector", 1.00, 1.00, 1.00, "deflector.bmp"},
      {"pylon", 0.50, 0.51, 0.55, ""},
      {"nacelle", 0.78, 0.78, 0.82, "nacelle.bmp"},
      {"collector", 1.00, 1.00, 1.00, "collector.bmp"},
      {"exhaust", 0.50, 0.18, 0.12, ""},
  };
}

// Ship coordinates while building: x runs from the stern to the bow, y up,
// z to the side.
constexpr Vec3d kForward{1, 0, 0};
constexpr Vec3d kUp{0, 1, 0};
constexpr Vec3d kSide{0, 0, 1};

Mesh Saucer() {
  // Around the upright axis; angle 0 towards +z and 90 degrees towards +x
  // keeps the texture unmirrored on the upper side.
  const LatheFrame frame{{0.95, 0.30, 0.0}, kUp, kSide, kForward, 1.0, 1.0};
  const std::vector<ProfilePoint> profile{
      {-0.150, 0.00, false, kSensor, TexMapping::kDisc},
      {-0.140, 0.10, true, kSaucerUnder, TexMapping::kAroundAlong},
      {-0.118, 0.34, false, kSaucerUnder, TexMapping::kAroundAlong},
      {-0.078, 0.64, false, kSaucerUnder, TexMapping::kAroundAlong},
      {-0.028, 0.95, true, kRim, TexMapping::kAroundAlong},
      {0.030, 0.95, true, kSaucer, TexMapping::kAroundAlong},
      {0.085, 0.68, false, kSaucer, TexMapping::kAroundAlong},
      {0.122, 0.40, false, kSaucer, TexMapping::kAroundAlong},
      {0.140, 0.18, true, kBridge, TexMapping::kAroundAlong},
      {0.190, 0.13, false, kBridge, TexMapping::kAroundAlong},
      {0.215, 0.06, false, kBridge, TexMapping::kAroundAlong},
      {0.220, 0.00, false, kBridge, TexMapping::kAroundAlong},
  };
  return Lathe(frame, profile, {24, 4.0, 0.10});
}

Mesh SecondaryHull() {
  // Along the ship; angle 0 at the keel and 90 degrees towards +z, so that
  // the hull texture runs from stern to bow unmirrored on both sides.
  const LatheFrame frame{{-1.05, -0.38, 0.0}, kForward, {0, -1, 0}, kSide, 1.0, 0.9};
  const std::vector<ProfilePoint> profile{
      {0.00, 0.00, false, kHull, TexMapping::kAlongAround},
      {0.00, 0.10, true, kHull, TexMapping::kAlongAround},
      {0.08, 0.16, false, kHull, TexMapping::kAlongAround},
      {0.40, 0.20, false, kHull, TexMapping::kAlongAround},
      {1.00, 0.21, false, kHull, TexMapping::kAlongAround},
      {1.40, 0.19, true, kHull, TexMapping::kAlongAround},
      {1.50, 0.15, true, kDeflector, TexMapping::kDisc},
      {1.44, 0.00, false, kDeflector, TexMapping::kDisc},
  };
  return Lathe(frame, profile, {12, 1.0, 0.15});
}

// An outline of count points on an ellipse about centre, lying in the plane
// of the two unit directions a and b.
std::vector<Vec3d> Ellipse(Vec3d centre, Vec3d a, double radiusA, Vec3d b, double radiusB, int count) {
  std::vector<Vec3d> outline;
  for (int k = 0; k < count; ++k) {
    const double angle = 2.0 * kPi * k / count;
    outline.push_back(centre + (radiusA * std::cos(angle)) * a + (radiusB * std::sin(angle)) * b);
  }
  return outline;
}

Mesh Neck() {
  // From inside the hull up into the saucer, leaning forward. The two
  // outlines are similar, so every side of the neck is a flat quad.
  const std::vector<Vec3d> bottom = Ellipse({0.00, -0.24, 0.0}, kForward, 0.24, kSide, 0.07, 8);
  const std::vector<Vec3d> top = Ellipse({0.40, 0.24, 0.0}, kForward, 0.18, kSide, 0.0525, 8);
  return Loft(bottom, top, true, kNeck);
}

// A thin wing section around centre: chord along the ship, thickness across
// the pylon's run. Sections of one shape at any size keep the loft's quads flat.
std::vector<Vec3d> WingSection(Vec3d centre, double halfChord, Vec3d across) {
  const double thickness = 0.12 * halfChord;
  const double shape[6][2] = {{1.0, 0.0}, {0.4, 1.0}, {-0.6, 1.0}, {-1.0, 0.0}, {-0.6, -1.0}, {0.4, -1.0}};
  std::vector<Vec3d> outline;
  for (const auto& point : shape) {
    outline.push_back(centre + (halfChord * point[0]) * kForward + (thickness * point[1]) * across);
  }
  return outline;
}

constexpr Vec3d kNacelleRear{-1.95, 0.42, 0.62};

Mesh Pylon() {
  const Vec3d low{-0.72, -0.26, 0.08};
  const Vec3d high{-1.12, kNacelleRear.y - 0.04, kNacelleRear.z};
  const Vec3d across = Normalized(Cross(kForward, high - low));
  return Loft(WingSection(low, 0.22, across), WingSection(high, 0.16, across), false, kPylon);
}

Mesh Nacelle() {
  const LatheFrame frame{kNacelleRear, kForward, {0, -1, 0}, kSide, 1.0, 1.0};
  const std::vector<ProfilePoint> profile{
      {0.00, 0.00, false, kExhaust, TexMapping::kDisc},
      {0.00, 0.07, true, kNacelle, TexMapping::kAlongAround},
      {0.06, 0.10, false, kNacelle, TexMapping::kAlongAround},
      {1.40, 0.10, true, kCollector, TexMapping::kDisc},
      {1.46, 0.09, false, kCollector, TexMapping::kDisc},
      {1.53, 0.06, false, kCollector, TexMapping::kDisc},
      {1.56, 0.00, false, kCollector, TexMapping::kDisc},
  };
  return Lathe(frame, profile, {10, 1.0, 0.10});
}

// The middle of the box around every corner.
Vec3d Centre(const Mesh& mesh) {
  Vec3d low{1e9, 1e9, 1e9};
  Vec3d high{-1e9, -1e9, -1e9};
  for (const Polygon& polygon : mesh.polygons) {
    for (const Corner& corner : polygon.corners) {
      const Vec3d p = corner.position;
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
  }
  return 0.5 * (low + high);
}

// Turns the ship for the start view. The viewer shows a model point p at
// T(0, 0, -6) * Ry(180) * p; the ship should appear there turned by
// Rx(tip) * Ry(heading) in eye space, so the model takes Ry(180) of that.
Transform StartPose(Vec3d centre) {
  const double heading = -20.0;  // the bow comes towards the viewer
  const double tip = 17.0;       // the top tips towards the viewer
  Transform pose = Translation(-1.0 * centre);
  pose = Then(pose, RotationY(heading));
  pose = Then(pose, RotationX(tip));
  return Then(pose, RotationY(180.0));
}

}  // namespace

Starship BuildStarship() {
  Starship ship;
  ship.materials = Materials();

  AppendMesh(ship.mesh, Saucer());
  AppendMesh(ship.mesh, Neck());
  AppendMesh(ship.mesh, SecondaryHull());
  Mesh engine = Nacelle();
  AppendMesh(engine, Pylon());
  AppendMesh(ship.mesh, engine);
  AppendMesh(ship.mesh, MirroredAcrossZ(engine));

  TransformMesh(ship.mesh, StartPose(Centre(ship.mesh)));

  ship.textures = {
      {"saucer.bmp", SaucerTexture()},     {"rim.bmp", RimTexture()},
      {"neck.bmp", NeckTexture()},         {"hull.bmp", HullTexture()},
      {"deflector.bmp", DeflectorTexture()}, {"nacelle.bmp", NacelleTexture()},
      {"collector.bmp", CollectorTexture()},
  };
  return ship;
}
