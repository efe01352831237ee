#include "mesh.h"

#include <algorithm>

void AppendMesh(Mesh& mesh, const Mesh& part) {
  mesh.polygons.insert(mesh.polygons.end(), part.polygons.begin(), part.polygons.end());
}

void TransformMesh(Mesh& mesh, const Transform& transform) {
  for (Polygon& polygon : mesh.polygons) {
    for (Corner& corner : polygon.corners) {
      corner.position = Apply(transform, corner.position);
      corner.normal = Normalized(Rotate(transform, corner.normal));
    }
  }
}

Mesh MirroredAcrossZ(const Mesh& mesh) {
  Mesh mirrored = mesh;
  for (Polygon& polygon : mirrored.polygons) {
    for (Corner& corner : polygon.corners) {
      corner.position.z = -corner.position.z;
      corner.normal.z = -corner.normal.z;
    }
    std::reverse(polygon.corners.begin(), polygon.corners.end());
  }
  return mirrored;
}

Vec3d FaceNormal(const Polygon& polygon) {
  Vec3d sum{0, 0, 0};
  const std::size_t count = polygon.corners.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3d a = polygon.corners[i].position;
    const Vec3d b = polygon.corners[(i + 1) % count].position;
    sum = sum + Vec3d{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
  }
  return Normalized(sum);
}

void OrientByNormals(Polygon& polygon) {
  Vec3d normalSum{0, 0, 0};
  for (const Corner& corner : polygon.corners) normalSum = normalSum + corner.normal;
  if (Dot(FaceNormal(polygon), normalSum) < 0.0) {
    std::reverse(polygon.corners.begin(), polygon.corners.end());
  }
}
