#pragma once
// The ship as the generator builds it: polygons whose corners carry their own
// position, normal and texture coordinate. Sharing of equal values into the
// model file's numbered lists happens only when the file is written.
#include <vector>

#include "geometry.h"

struct Corner {
  Vec3d position;
  Vec3d normal;  // unit length, pointing out of the solid
  Vec2d texCoord;
};

struct Polygon {
  int material;  // index into the ship's material list
  std::vector<Corner> corners;
};

struct Mesh {
  std::vector<Polygon> polygons;
};

void AppendMesh(Mesh& mesh, const Mesh& part);

// Moves positions and turns normals; texture coordinates stay.
void TransformMesh(Mesh& mesh, const Transform& transform);

// The mirror image across the plane z = 0, with the winding reversed so that
// every polygon still runs counter-clockwise seen from outside.
Mesh MirroredAcrossZ(const Mesh& mesh);

// Reverses the corner order when the polygon's winding disagrees with its
// corner normals, so polygons run counter-clockwise seen from outside.
void OrientByNormals(Polygon& polygon);

// The polygon's geometric normal (Newell's method), unit length.
Vec3d FaceNormal(const Polygon& polygon);
