// The whole progress account of a load, byte for byte, against text written
// out by hand from the readers' rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/obj_reader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

const std::string kData = std::string(READER_TEST_DATA) + "/account/";

using ProgressAccount = InScratchDirectory;

TEST_F(ProgressAccount, EveryMessageOfALoadWithLibraryAndTextures) {
  std::filesystem::copy_file(kData + "enterprise.obj", "enterprise.obj");
  std::filesystem::copy_file(kData + "enterprise.mtl", "enterprise.mtl");
  WriteFile("hull.bmp", GreyBmp(4, 4));
  const uint32_t hullTexture = kFirstStandInTexture + static_cast<uint32_t>(HandedImages().size());

  std::unique_ptr<Model> model = ZeroModel();
  CapturedLog capture;
  LoadModel("enterprise.obj", *model, StandInTexture);
  EXPECT_EQ(capture.Text(), ReadWholeFile(kData + "expected_progress.txt"));

  // What the account describes reached the record.
  EXPECT_EQ(model->lastFace, 3);
  EXPECT_EQ(model->vertices[2].x, -1.5f);
  EXPECT_EQ(model->vertices[2].z, 2.5f);
  EXPECT_EQ(model->normals[1].z, 1.0f);
  EXPECT_EQ(model->texCoords[1].v, 1.0f);
  const Face* faces = model->faces;
  EXPECT_EQ(faces[0].texture, 0u);
  EXPECT_EQ(faces[0].red, 0.0f);
  EXPECT_EQ(faces[0].normalIndex[2], 1);
  EXPECT_EQ(faces[1].texture, hullTexture);
  EXPECT_EQ(faces[1].red, 0.8f);
  EXPECT_EQ(faces[1].blue, 0.6f);
  // "glow" names slots 2 and 3; slot 3 decides, and it has no texture.
  EXPECT_EQ(faces[2].texture, 0u);
  EXPECT_EQ(faces[2].red, 1.0f);
  EXPECT_EQ(faces[2].cornerCount, 2);
  EXPECT_EQ(faces[2].texCoordIndex[0], 2);
  // An unknown name drops the texture but keeps the colour.
  EXPECT_EQ(faces[3].texture, 0u);
  EXPECT_EQ(faces[3].red, 1.0f);
  EXPECT_EQ(faces[3].vertexIndex[1], 2);
  EXPECT_TRUE(AllZero(&faces[4], sizeof(Face) * (kFaceCapacity - 4)));
}

TEST_F(ProgressAccount, NeitherLibraryNorModelFile) {
  std::unique_ptr<Model> model = ZeroModel();
  CapturedLog capture;
  LoadModel("nothing.obj", *model, StandInTexture);
  EXPECT_EQ(capture.Text(), ReadWholeFile(kData + "expected_missing.txt"));
  EXPECT_TRUE(AllZero(model.get(), sizeof(Model)));
}

}  // namespace
