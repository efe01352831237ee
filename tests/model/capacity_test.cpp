// Files larger than the record and the table: read to the end, every message
// written, nothing stored beyond the capacities, and the excess reported.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "fake_texture_upload.h"
#include "model/material_library.h"
#include "model/obj_reader.h"
#include "reader_test_support.h"

namespace {

constexpr unsigned char kGuardByte = 0xA5;
constexpr std::size_t kGuardSize = 4096;

// The record between two guard regions: a write past either end shows.
struct GuardedModel {
  unsigned char before[kGuardSize];
  Model model;
  unsigned char after[kGuardSize];
};

bool GuardIntact(const unsigned char* guard) {
  for (std::size_t i = 0; i < kGuardSize; ++i)
    if (guard[i] != kGuardByte) return false;
  return true;
}

std::unique_ptr<GuardedModel> MakeGuardedModel() {
  auto guarded = std::make_unique<GuardedModel>();
  std::memset(guarded->before, kGuardByte, kGuardSize);
  std::memset(&guarded->model, 0, sizeof(Model));
  std::memset(guarded->after, kGuardByte, kGuardSize);
  return guarded;
}

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
  return count;
}

using Capacity = InScratchDirectory;

TEST_F(Capacity, ModelFileBeyondEveryCapacity) {
  std::string obj;
  for (int i = 1; i <= 700; ++i) obj += "v " + std::to_string(i) + " 0 -" + std::to_string(i) + "\n";
  for (int i = 1; i <= 650; ++i) obj += "vn 0 " + std::to_string(i) + " 0\n";
  for (int i = 1; i <= 620; ++i) obj += "vt " + std::to_string(i) + " 1\n";
  // Face 0 has 50 corners; faces 1..699 have 3; face 600 has 45.
  obj += "f";
  for (int c = 1; c <= 50; ++c) obj += " " + std::to_string(c) + "/" + std::to_string(c) + "/" + std::to_string(c);
  obj += "\n";
  for (int i = 1; i < 700; ++i) {
    if (i == 600) {
      obj += "f";
      for (int c = 1; c <= 45; ++c) obj += " " + std::to_string(c);
      obj += "\n";
      continue;
    }
    obj += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " 9\n";
  }
  obj += "usemtl m\nf 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 "
         "35 36 37 38 39 40 41 42 43 44\n";  // face 700: beyond the record, its corners not counted again
  WriteFile("enterprise.obj", obj);
  WriteFile("enterprise.mtl", "newmtl m\nKd 1 1 1\n");

  std::unique_ptr<GuardedModel> guarded = MakeGuardedModel();
  CapturedLog capture;
  LoadModel("enterprise.obj", guarded->model);
  const std::string log = capture.Text();
  const Model& model = guarded->model;

  EXPECT_TRUE(GuardIntact(guarded->before));
  EXPECT_TRUE(GuardIntact(guarded->after));

  // Entry 0 stays zero; entries 1..600 hold the first 600 lines of each kind.
  EXPECT_TRUE(AllZero(&model.vertices[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.normals[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.texCoords[0], sizeof(Vec2)));
  EXPECT_EQ(model.vertices[600].x, 600.0f);
  EXPECT_EQ(model.vertices[600].z, -600.0f);
  EXPECT_EQ(model.normals[600].y, 600.0f);
  EXPECT_EQ(model.texCoords[600].u, 600.0f);

  EXPECT_EQ(model.lastFace, 600);
  EXPECT_EQ(model.faces[0].cornerCount, 41);
  EXPECT_EQ(model.faces[0].vertexIndex[40], 41);
  EXPECT_EQ(model.faces[0].normalIndex[40], 41);
  EXPECT_EQ(model.faces[599].vertexIndex[0], 599);
  EXPECT_EQ(model.faces[600].cornerCount, 41);
  EXPECT_EQ(model.faces[600].vertexIndex[40], 41);
  EXPECT_EQ(model.faces[600].texture, 0u);  // the selection came after it

  // Every line was still logged, the excess ones included.
  EXPECT_EQ(Count(log, "\r\nV ["), 700u);
  EXPECT_EQ(Count(log, "\r\nVN ["), 650u);
  EXPECT_EQ(Count(log, "\r\nVT ["), 620u);
  EXPECT_EQ(Count(log, "\r\nF ["), 701u);
  EXPECT_NE(log.find("[50/50/50]{50}{50}{50}\r\n"), std::string::npos);
  EXPECT_NE(log.find("\r\nUsing: m\r\n"), std::string::npos);

  // The excess, reported after the last line and before the face count.
  const std::string ending =
      "[44]{44}\r\n"
      "Ignored 100 vertex lines beyond the first 600\r\n"
      "Ignored 50 normal lines beyond the first 600\r\n"
      "Ignored 20 texture coordinate lines beyond the first 600\r\n"
      "Ignored 100 face lines beyond the first 601\r\n"
      "Ignored 13 corners beyond the first 41 of a face\r\n"
      "Faces: 600 (+1 we count from zero..)\r\n"
      "Done!\r\n";
  ASSERT_GE(log.size(), ending.size());
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending);
}

TEST_F(Capacity, OnlyTheKindsThatOverflowAreReported) {
  std::string obj;
  for (int i = 0; i < 601; ++i) obj += "vt 1 1\nf 1\n";
  WriteFile("enterprise.obj", obj);
  std::unique_ptr<GuardedModel> guarded = MakeGuardedModel();
  CapturedLog capture;
  LoadModel("enterprise.obj", guarded->model);
  const std::string log = capture.Text();
  EXPECT_EQ(guarded->model.lastFace, 600);
  const std::string ending =
      "F [1]{1}\r\n"
      "Ignored 1 texture coordinate lines beyond the first 600\r\n"
      "Faces: 600 (+1 we count from zero..)\r\nDone!\r\n";
  ASSERT_GE(log.size(), ending.size());
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending);
  EXPECT_TRUE(GuardIntact(guarded->after));
}

// The table between two guard regions.
struct GuardedTable {
  unsigned char before[kGuardSize];
  MaterialTable table;
  unsigned char after[kGuardSize];
};

TEST_F(Capacity, LibraryBeyondTwentyMaterials) {
  std::string mtl;
  for (int i = 1; i <= 23; ++i) {
    const std::string n = std::to_string(i);
    mtl += "newmtl m" + n + "\nKd " + n + " 0 0\nmap_Kd t.bmp\n";
  }
  WriteFile("ship.mtl", mtl);
  WriteFile("t.bmp", SmallBmp(4, 1));

  auto guarded = std::make_unique<GuardedTable>();
  std::memset(guarded->before, kGuardByte, kGuardSize);
  std::memset(guarded->after, kGuardByte, kGuardSize);
  const std::size_t uploadsBefore = RecordedUploads().size();
  CapturedLog capture;
  ReadMaterialLibrary("ship.obj", guarded->table);
  const std::string log = capture.Text();

  EXPECT_TRUE(GuardIntact(guarded->before));
  EXPECT_TRUE(GuardIntact(guarded->after));
  EXPECT_EQ(guarded->table[20].name, "m20");
  EXPECT_EQ(guarded->table[20].red, 20.0f);
  EXPECT_EQ(guarded->table[0].name, "");
  // Materials beyond the table load no texture, yet every message is written.
  EXPECT_EQ(RecordedUploads().size() - uploadsBefore, 20u);
  EXPECT_EQ(Count(log, "Cannot load"), 0u);
  const std::string ending =
      "\r\nM: [m23]Dif23: [23 0 0]\r\n{23}{0}{0}T23: [t.bmp]\r\n"
      "Ignored 3 materials beyond the first 20\r\n";
  ASSERT_GE(log.size(), ending.size());
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending);
}

TEST_F(Capacity, SelectionFindsOnlyTheStoredMaterials) {
  std::string mtl;
  for (int i = 1; i <= 21; ++i) mtl += "newmtl m" + std::to_string(i) + "\nKd 1 1 1\n";
  WriteFile("enterprise.mtl", mtl);
  WriteFile("enterprise.obj", "usemtl m21\nf 1 1 1\nusemtl m20\nf 1 1 1\n");
  std::unique_ptr<GuardedModel> guarded = MakeGuardedModel();
  CapturedLog capture;
  LoadModel("enterprise.obj", guarded->model);
  const std::string log = capture.Text();
  EXPECT_EQ(log.find("Using: m21"), std::string::npos);
  EXPECT_NE(log.find("Using: m20"), std::string::npos);
  EXPECT_EQ(guarded->model.faces[0].red, 0.0f);
  EXPECT_EQ(guarded->model.faces[1].red, 1.0f);
}

}  // namespace
