#include "tests/support/model_record.h"

#include <gtest/gtest.h>

#include "tests/support/stand_in_texture.h"

bool AllZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
}

std::unique_ptr<Model> ZeroModel() {
  auto model = std::make_unique<Model>();
  std::memset(static_cast<void*>(model.get()), 0, sizeof(Model));
  return model;
}

void ExpectSoundRecord(const GuardedModel& guarded, int32_t expectedLastFace) {
  const Model& model = guarded.value;
  EXPECT_TRUE(GuardsIntact(guarded)) << "a write outside the record";
  EXPECT_TRUE(AllZero(&model.vertices[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.normals[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.texCoords[0], sizeof(Vec2)));
  EXPECT_EQ(model.lastFace, expectedLastFace);
  const uint32_t lastName = kFirstStandInTexture + static_cast<uint32_t>(HandedImages().size());
  int broken = 0;
  for (int32_t i = 0; i < kFaceCapacity; ++i) {
    const Face& face = model.faces[i];
    if (i > model.lastFace) {
      if (!AllZero(&face, sizeof face)) ++broken;
      continue;
    }
    if (face.cornerCount < 0 || face.cornerCount > kCornerCapacity) {
      ++broken;
      continue;
    }
    for (int32_t corner = face.cornerCount; corner < kCornerCapacity; ++corner) {
      if (face.vertexIndex[corner] != 0 || face.normalIndex[corner] != 0 || face.texCoordIndex[corner] != 0) ++broken;
    }
    if (face.texture != 0 && (face.texture < kFirstStandInTexture || face.texture >= lastName)) ++broken;
  }
  EXPECT_EQ(broken, 0) << "faces that break the record's invariants";
}
