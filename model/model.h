#pragma once
// The one in-memory model: a fixed-capacity record without pointers, zeroed by
// its owner before loading, filled once by LoadModel and read by DrawModel.
#include <cstdint>

// Faces are counted from 0. Vertices, normals and texture coordinates keep the
// file's numbering from 1, so entry 0 is never written and stays zero: an index
// of 0 addresses a zero position, normal or texture coordinate.
constexpr int kFaceCapacity = 601;    // faces 0..600
constexpr int kCornerCapacity = 41;   // corners 0..40 of one face
constexpr int kEntryCapacity = 601;   // entries 0..600
constexpr int kLastEntry = kEntryCapacity - 1;

struct Face {
  int32_t cornerCount;
  int32_t vertexIndex[kCornerCapacity];
  int32_t normalIndex[kCornerCapacity];
  int32_t texCoordIndex[kCornerCapacity];
  uint32_t texture;  // OpenGL texture name; 0 = no texture
  float red;
  float green;
  float blue;
};

struct Vec3 {
  float x;
  float y;
  float z;
};

struct Vec2 {
  float u;
  float v;
};

struct Model {
  Face faces[kFaceCapacity];
  Vec3 vertices[kEntryCapacity];
  Vec3 normals[kEntryCapacity];
  Vec2 texCoords[kEntryCapacity];
  int32_t lastFace;  // number of faces minus one; -1 when the file held none
};

// Whether the face's corners and indices stay inside the record (entries 0..600): the reader
// keeps them as a broken or oversized file gives them. DrawModel skips such a face; the load report counts it.
inline bool FaceStaysInRecord(const Face& face) {
  auto isEntry = [](int32_t index) { return index >= 0 && index <= kLastEntry; };
  if (face.cornerCount > kCornerCapacity) return false;
  for (int32_t corner = 0; corner < face.cornerCount; ++corner) {
    if (!isEntry(face.vertexIndex[corner]) || !isEntry(face.normalIndex[corner]) ||
        !isEntry(face.texCoordIndex[corner])) {
      return false;
    }
  }
  return true;
}
