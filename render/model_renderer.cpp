#include "render/model_renderer.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

GLenum PrimitiveFor(int32_t cornerCount) {
  if (cornerCount == 3) return GL_TRIANGLES;
  if (cornerCount == 4) return GL_QUADS;
  return GL_POLYGON;  // also 0, 1, 2 and negative counts, which show nothing
}

}  // namespace

void DrawModel(const Model& model) {
  // lastFace is read once; beyond the last slot there are no faces to read.
  const int32_t lastFace = std::min(model.lastFace, int32_t{kFaceCapacity - 1});
  for (int32_t i = 0; i <= lastFace; ++i) {
    const Face& face = model.faces[i];
    // A face that would read outside the record is skipped whole, with no call
    // made for it; every other face is drawn, nothing batched or sorted.
    if (!FaceStaysInRecord(face)) continue;

    // Bound and coloured for every face, also when they repeat.
    glBindTexture(GL_TEXTURE_2D, face.texture);
    glColor3f(face.red, face.green, face.blue);
    glBegin(PrimitiveFor(face.cornerCount));
    for (int32_t corner = 0; corner < face.cornerCount; ++corner) {
      const Vec3& normal = model.normals[face.normalIndex[corner]];
      const Vec2& texCoord = model.texCoords[face.texCoordIndex[corner]];
      const Vec3& vertex = model.vertices[face.vertexIndex[corner]];
      glNormal3f(normal.x, normal.y, normal.z);
      glTexCoord2f(texCoord.u, texCoord.v);
      glVertex3f(vertex.x, vertex.y, vertex.z);
    }
    glEnd();
  }
}
