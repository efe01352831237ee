#include "shapes.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

constexpr double kTiny = 1e-9;

// The outward normal of one profile segment in the (axial, radius) plane.
Vec2d SegmentNormal(const ProfilePoint& from, const ProfilePoint& to) {
  const double da = to.axial - from.axial;
  const double dr = to.radius - from.radius;
  const double length = std::sqrt(da * da + dr * dr);
  if (length < kTiny) return {0.0, 1.0};
  return {-dr / length, da / length};
}

// The normal at profile point i for the band that starts at profile point
// band; smooth across the point unless it is a crease.
Vec2d PointNormal(const std::vector<ProfilePoint>& profile, std::size_t i, std::size_t band) {
  const Vec2d own = SegmentNormal(profile[band], profile[band + 1]);
  // The band on the far side of point i, if there is one.
  const bool hasOther = band == i ? i > 0 : i + 1 < profile.size();
  if (profile[i].crease || !hasOther) return own;
  const std::size_t other = band == i ? i - 1 : i;
  const Vec2d next = SegmentNormal(profile[other], profile[other + 1]);
  const double a = own.u + next.u;
  const double r = own.v + next.v;
  const double length = std::sqrt(a * a + r * r);
  if (length < kTiny) return own;
  return {a / length, r / length};
}

// The texture coordinate across the rings at each profile point, for the band
// that starts there (from) and the band that ends there (to).
struct Along {
  std::vector<double> from;
  std::vector<double> to;
};

Along AlongCoordinates(const std::vector<ProfilePoint>& profile) {
  const std::size_t bands = profile.size() - 1;
  std::vector<double> length(bands);
  for (std::size_t b = 0; b < bands; ++b) {
    const double da = profile[b + 1].axial - profile[b].axial;
    const double dr = profile[b + 1].radius - profile[b].radius;
    length[b] = std::sqrt(da * da + dr * dr);
  }
  Along along{std::vector<double>(profile.size(), 0.0), std::vector<double>(profile.size(), 0.0)};
  std::size_t runStart = 0;
  while (runStart < bands) {
    std::size_t runEnd = runStart + 1;
    while (runEnd < bands && profile[runEnd].material == profile[runStart].material &&
           profile[runEnd].mapping == profile[runStart].mapping) {
      ++runEnd;
    }
    double total = 0.0;
    for (std::size_t b = runStart; b < runEnd; ++b) total += length[b];
    double sum = 0.0;
    for (std::size_t b = runStart; b < runEnd; ++b) {
      along.from[b] = total > kTiny ? sum / total : 0.0;
      sum += length[b];
      along.to[b + 1] = total > kTiny ? sum / total : 1.0;
    }
    runStart = runEnd;
  }
  return along;
}

struct LatheContext {
  const LatheFrame& frame;
  const std::vector<ProfilePoint>& profile;
  const LatheOptions& options;
  Along along;
};

Corner RingCorner(const LatheContext& lathe, std::size_t i, std::size_t band, double segment) {
  const LatheFrame& frame = lathe.frame;
  const ProfilePoint& point = lathe.profile[i];
  const ProfilePoint& bandStart = lathe.profile[band];
  const double angle = 2.0 * kPi * segment / lathe.options.segments;
  const double c = std::cos(angle);
  const double s = std::sin(angle);

  Corner corner;
  corner.position = frame.origin + point.axial * frame.axis +
                    (point.radius * c * frame.sideScale) * frame.side +
                    (point.radius * s * frame.upScale) * frame.up;

  const Vec2d n = PointNormal(lathe.profile, i, band);
  if (point.radius < kTiny) {
    // A closing point: the surface there faces straight along the axis.
    corner.normal = (n.u < 0.0 ? -1.0 : 1.0) * frame.axis;
  } else {
    corner.normal = Normalized(n.u * frame.axis + (n.v * c / frame.sideScale) * frame.side +
                               (n.v * s / frame.upScale) * frame.up);
  }

  const double around = lathe.options.aroundRepeat * segment / lathe.options.segments;
  const double along = band == i ? lathe.along.from[i] : lathe.along.to[i];
  switch (bandStart.mapping) {
    case TexMapping::kAroundAlong:
      corner.texCoord = {around, along};
      break;
    case TexMapping::kAlongAround:
      corner.texCoord = {along, around};
      break;
    case TexMapping::kDisc: {
      const double spread = 0.5 * point.radius / lathe.options.discRadius;
      corner.texCoord = {0.5 + spread * c, 0.5 + spread * s};
      break;
    }
  }
  return corner;
}

}  // namespace

Mesh Lathe(const LatheFrame& frame, const std::vector<ProfilePoint>& profile, const LatheOptions& options) {
  Mesh mesh;
  if (profile.size() < 2 || options.segments < 3) return mesh;
  const LatheContext lathe{frame, profile, options, AlongCoordinates(profile)};
  for (std::size_t band = 0; band + 1 < profile.size(); ++band) {
    const bool startCloses = profile[band].radius < kTiny;
    const bool endCloses = profile[band + 1].radius < kTiny;
    if (startCloses && endCloses) continue;
    for (int j = 0; j < options.segments; ++j) {
      Polygon polygon{profile[band].material, {}};
      // A closing point takes the middle of its segment, so the texture
      // around a pole does not slant.
      if (startCloses) {
        polygon.corners.push_back(RingCorner(lathe, band, band, j + 0.5));
      } else {
        polygon.corners.push_back(RingCorner(lathe, band, band, j));
        polygon.corners.push_back(RingCorner(lathe, band, band, j + 1));
      }
      if (endCloses) {
        polygon.corners.push_back(RingCorner(lathe, band + 1, band, j + 0.5));
      } else {
        polygon.corners.push_back(RingCorner(lathe, band + 1, band, j + 1));
        polygon.corners.push_back(RingCorner(lathe, band + 1, band, j));
      }
      OrientByNormals(polygon);
      mesh.polygons.push_back(polygon);
    }
  }
  return mesh;
}

Mesh Loft(const std::vector<Vec3d>& first, const std::vector<Vec3d>& second, bool smooth, int material) {
  const std::size_t count = first.size();
  Mesh mesh;
  if (count < 3 || second.size() != count) return mesh;

  Vec3d firstCentre{0, 0, 0};
  Vec3d secondCentre{0, 0, 0};
  for (std::size_t k = 0; k < count; ++k) {
    firstCentre = firstCentre + first[k];
    secondCentre = secondCentre + second[k];
  }
  firstCentre = (1.0 / count) * firstCentre;
  secondCentre = (1.0 / count) * secondCentre;

  // Normals point away from the line through the two outlines' centres.
  auto outward = [&](Vec3d normal, Vec3d point, Vec3d centre) {
    return Dot(normal, point - centre) < 0.0 ? -1.0 * normal : normal;
  };
  auto smoothNormal = [&](const std::vector<Vec3d>& ring, std::size_t k, Vec3d centre) {
    const Vec3d around = ring[(k + 1) % count] - ring[(k + count - 1) % count];
    const Vec3d along = second[k] - first[k];
    return outward(Normalized(Cross(around, along)), ring[k], centre);
  };

  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t next = (k + 1) % count;
    const double u0 = static_cast<double>(k) / count;
    const double u1 = static_cast<double>(k + 1) / count;
    Polygon polygon{material, {}};
    polygon.corners.push_back({first[k], smoothNormal(first, k, firstCentre), {u0, 0.0}});
    polygon.corners.push_back({first[next], smoothNormal(first, next, firstCentre), {u1, 0.0}});
    polygon.corners.push_back({second[next], smoothNormal(second, next, secondCentre), {u1, 1.0}});
    polygon.corners.push_back({second[k], smoothNormal(second, k, secondCentre), {u0, 1.0}});
    if (!smooth) {
      const Vec3d middle = 0.25 * (first[k] + first[next] + second[k] + second[next]);
      const Vec3d flat = outward(FaceNormal(polygon), middle, 0.5 * (firstCentre + secondCentre));
      for (Corner& corner : polygon.corners) corner.normal = flat;
    }
    OrientByNormals(polygon);
    mesh.polygons.push_back(polygon);
  }
  return mesh;
}
