#pragma once
// Small vector helpers in double precision; the generator rounds only when it
// writes the model file.
#include <cmath>

struct Vec2d {
  double u;
  double v;
};

struct Vec3d {
  double x;
  double y;
  double z;
};

inline Vec3d operator+(Vec3d a, Vec3d b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3d operator-(Vec3d a, Vec3d b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3d operator*(double s, Vec3d a) { return {s * a.x, s * a.y, s * a.z}; }

inline double Dot(Vec3d a, Vec3d b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3d Cross(Vec3d a, Vec3d b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(Vec3d a) { return std::sqrt(Dot(a, a)); }

// A zero vector stays zero rather than turning into not-a-number.
inline Vec3d Normalized(Vec3d a) {
  const double length = Length(a);
  return length > 0.0 ? (1.0 / length) * a : a;
}

constexpr double kPi = 3.14159265358979323846;

inline double Radians(double degrees) { return degrees * kPi / 180.0; }

// A rotation (rows of a 3x3 matrix) followed by a translation.
struct Transform {
  Vec3d row[3];
  Vec3d offset;
};

inline Transform Identity() { return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}}; }

// Rotations by the right-hand rule, as glRotatef turns.
inline Transform RotationX(double degrees) {
  const double c = std::cos(Radians(degrees));
  const double s = std::sin(Radians(degrees));
  return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}, {0, 0, 0}};
}

inline Transform RotationY(double degrees) {
  const double c = std::cos(Radians(degrees));
  const double s = std::sin(Radians(degrees));
  return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}, {0, 0, 0}};
}

inline Transform Translation(Vec3d offset) {
  Transform t = Identity();
  t.offset = offset;
  return t;
}

inline Vec3d Rotate(const Transform& t, Vec3d a) {
  return {Dot(t.row[0], a), Dot(t.row[1], a), Dot(t.row[2], a)};
}

inline Vec3d Apply(const Transform& t, Vec3d a) { return Rotate(t, a) + t.offset; }

// first applied to a point before second.
inline Transform Then(const Transform& first, const Transform& second) {
  Transform result;
  for (int r = 0; r < 3; ++r) {
    const Vec3d row = second.row[r];
    result.row[r] = {row.x * first.row[0].x + row.y * first.row[1].x + row.z * first.row[2].x,
                     row.x * first.row[0].y + row.y * first.row[1].y + row.z * first.row[2].y,
                     row.x * first.row[0].z + row.y * first.row[1].z + row.z * first.row[2].z};
  }
  result.offset = Apply(second, first.offset);
  return result;
}
