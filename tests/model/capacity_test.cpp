// Files larger than the record and the table: read to the end, every line
// logged, nothing stored beyond the capacities, and the excess reported.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "model/material_library.h"
#include "model/obj_reader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/hostile_files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
const std::string kEnding = "Faces: 600 (+1 we count from zero..)\r\nDone!\r\n";

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
  return count;
}

using Capacity = InScratchDirectory;

// Lines of every kind beyond 600 entries, faces beyond 601, faces of more
// than 41 corners, and a library of 25 materials with colours beyond the
// float range and hostile textures.
TEST_F(Capacity, EveryCapacityOverflowedAtOnce) {
  WriteHostileTextures(".");
  WriteFile("enterprise.obj", OverflowingModel(kEveryCapacityOverflowed));
  WriteFile("enterprise.mtl", OverflowingLibrary(25, 0));
  auto guarded = MakeGuarded<Model>();
  const std::size_t handedBefore = HandedImages().size();
  CapturedLog capture;
  testing::internal::CaptureStderr();  // the refused texel buffers are told there
  LoadModel("enterprise.obj", guarded->value, StandInTexture);
  testing::internal::GetCapturedStderr();
  const std::string log = capture.Text();

  ExpectSoundRecord(*guarded, kFaceCapacity - 1);
  const Model& model = guarded->value;
  // Entries 1..600 hold the first 600 lines of each kind, faces 0..600 the first 601.
  EXPECT_FLOAT_EQ(model.vertices[600].x, 0.6f);
  EXPECT_FLOAT_EQ(model.vertices[600].z, -0.42f);
  EXPECT_EQ(model.normals[600].y, 600.0f);
  EXPECT_EQ(model.texCoords[600].u, 5.0f);
  EXPECT_EQ(model.faces[599].vertexIndex[0], 600);
  for (int face : {0, 600}) {
    EXPECT_EQ(model.faces[face].cornerCount, kCornerCapacity) << face;
    EXPECT_EQ(model.faces[face].vertexIndex[40], 41) << face;
    EXPECT_EQ(model.faces[face].normalIndex[40], 41) << face;
  }
  // Face 1 takes material m1: a colour beyond the float range, and a texture
  // whose garbage header may ask for anything.
  EXPECT_FLOAT_EQ(model.faces[1].red, 0.1f);
  EXPECT_EQ(model.faces[1].green, kInfinity);
  EXPECT_EQ(model.faces[1].blue, -kInfinity);
  EXPECT_EQ(model.faces[1].texture, kFirstStandInTexture + handedBefore);
  // Face 600 selects m21, which the table does not hold: no texture, and m20's colour stays.
  EXPECT_EQ(model.faces[600].texture, 0u);
  EXPECT_FLOAT_EQ(model.faces[600].red, 0.2f);
  EXPECT_NE(log.find("\r\nUsing: m20\r\n"), std::string::npos);
  EXPECT_EQ(log.find("Using: m21"), std::string::npos);

  // Materials 1..20 take the textures in turn, 13 names: those that are no
  // regular file give no texture, the materials beyond the table none at all.
  std::size_t expectedTextures = 0;
  const std::vector<HostileTexture> textures = HostileTextures();
  for (std::size_t material = 0; material < 20; ++material) {
    const HostileTexture::Kind kind = textures[material % textures.size()].kind;
    expectedTextures += kind != HostileTexture::kDirectory && kind != HostileTexture::kPipe &&
                        kind != HostileTexture::kDevice && kind != HostileTexture::kMissing;
  }
  EXPECT_EQ(HandedImages().size() - handedBefore, expectedTextures);

  // Every line is still logged, the excess ones and their corners included,
  // and the excess is reported after the last line.
  EXPECT_EQ(Count(log, "\r\nV ["), 700u);
  EXPECT_EQ(Count(log, "\r\nVN ["), 650u);
  EXPECT_EQ(Count(log, "\r\nVT ["), 620u);
  EXPECT_EQ(Count(log, "\r\nF ["), 700u);
  EXPECT_NE(log.find("[10000/10000/10000]{10000}{10000}{10000}\r\n"), std::string::npos);
  EXPECT_NE(log.find("\r\nIgnored 5 materials beyond the first 20\r\nLoading : enterprise.obj\r\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(log,
                       "[44/44/44]{44}{44}{44}\r\n"
                       "Ignored 100 vertex lines beyond the first 600\r\n"
                       "Ignored 50 normal lines beyond the first 600\r\n"
                       "Ignored 20 texture coordinate lines beyond the first 600\r\n"
                       "Ignored 99 face lines beyond the first 601\r\n"
                       "Ignored 9963 corners beyond the first 41 of a face\r\n" +
                           kEnding));
}

TEST_F(Capacity, OnlyTheKindsThatOverflowAreReported) {
  std::string obj;
  for (int i = 0; i < 601; ++i) obj += "vt 1 1\nf 1\n";
  WriteFile("enterprise.obj", obj);
  auto guarded = MakeGuarded<Model>();
  CapturedLog capture;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);
  EXPECT_EQ(guarded->value.lastFace, 600);
  EXPECT_TRUE(EndsWith(capture.Text(),
                       "F [1]{1}\r\n"
                       "Ignored 1 texture coordinate lines beyond the first 600\r\n" +
                           kEnding));
  EXPECT_TRUE(GuardsIntact(*guarded));
}

TEST_F(Capacity, LibraryBeyondTwentyMaterials) {
  std::string mtl;
  for (int i = 1; i <= 23; ++i) {
    const std::string n = std::to_string(i);
    mtl += "newmtl m" + n + "\nKd " + n + " 0 0\nmap_Kd t.bmp\n";
  }
  WriteFile("ship.mtl", mtl);
  WriteFile("t.bmp", GreyBmp(4, 1));

  auto guarded = MakeGuarded<MaterialTable>();
  const std::size_t handedBefore = HandedImages().size();
  CapturedLog capture;
  ReadMaterialLibrary("ship.obj", guarded->value, StandInTexture);
  const std::string log = capture.Text();

  EXPECT_TRUE(GuardsIntact(*guarded));
  EXPECT_EQ(guarded->value[20].name, "m20");
  EXPECT_EQ(guarded->value[20].red, 20.0f);
  EXPECT_EQ(guarded->value[0].name, "");
  // Materials beyond the table load no texture, yet every message is written.
  EXPECT_EQ(HandedImages().size() - handedBefore, 20u);
  EXPECT_EQ(Count(log, "Cannot load"), 0u);
  EXPECT_TRUE(EndsWith(log,
                       "\r\nM: [m23]Dif23: [23 0 0]\r\n{23}{0}{0}T23: [t.bmp]\r\n"
                       "Ignored 3 materials beyond the first 20\r\n"));
}

}  // namespace
