// The real loader on files of absurd size, absurd numbers and garbage: no
// write outside the record, every invariant kept, the whole account written
// and ended by "Done!".
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "model/obj_reader.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/hostile_files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

constexpr int32_t kIndexMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIndexMin = std::numeric_limits<int32_t>::min();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

const std::string kNoLibrary = "Could not open the material file enterprise.mtl\r\n";
const std::string kLoading = "Loading : enterprise.obj\r\n";

using HostileLoad = InScratchDirectory;

std::string Ending(int32_t lastFace) {
  return "Faces: " + std::to_string(lastFace) + " (+1 we count from zero..)\r\nDone!\r\n";
}

TEST_F(HostileLoad, HundredMegabyteLine) {
  // One face line of 17.5 million corners, about 105 MB, without a line end.
  constexpr int64_t kBlockCorners = 100000;
  constexpr int64_t kCorners = 1 + 175 * kBlockCorners;
  {
    std::string block;
    for (int64_t i = 0; i < kBlockCorners; ++i) block += " 1/2/3";
    std::ofstream out("enterprise.obj", std::ios::binary);
    out << "f 1/2/3";
    for (int64_t written = 1; written < kCorners; written += kBlockCorners) out << block;
  }

  auto guarded = MakeGuarded<Model>();
  CapturedLog progress;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);

  ExpectSoundRecord(*guarded, 0);
  const Face& face = guarded->value.faces[0];
  ASSERT_EQ(face.cornerCount, kCornerCapacity);
  for (int corner = 0; corner < kCornerCapacity; ++corner) {
    EXPECT_EQ(face.vertexIndex[corner], 1);
    EXPECT_EQ(face.texCoordIndex[corner], 2);
    EXPECT_EQ(face.normalIndex[corner], 3);
  }

  // Every corner is logged, the ignored ones too.
  const std::string corner = "[1/2/3]{1}{2}{3}";
  const std::string ending = "\r\nIgnored " + std::to_string(kCorners - kCornerCapacity) +
                             " corners beyond the first 41 of a face\r\n" + Ending(0);
  EXPECT_EQ(progress.Head().substr(0, kNoLibrary.size() + kLoading.size() + 2 + 2 * corner.size()),
            kNoLibrary + kLoading + "F " + corner + corner);
  EXPECT_TRUE(EndsWith(progress.Tail(), corner + ending));
  EXPECT_EQ(progress.Bytes(), kNoLibrary.size() + kLoading.size() + 2 + corner.size() * kCorners + ending.size());
  EXPECT_EQ(progress.LineEnds(), 6u);
}

TEST_F(HostileLoad, NumbersOfMegabytes) {
  const std::size_t kDigits = std::size_t{8} << 20;
  {
    const std::string nines(kDigits, '9');
    std::ofstream out("enterprise.obj", std::ios::binary);
    out << "v " << nines << " -" << nines << " 0." << std::string(kDigits, '0') << "1\n";
    out << "vt &H" << std::string(kDigits, 'F') << " 1e" << nines << "\n";
    out << "f " << nines << "/-" << nines << "/1e-" << nines << "\n";
  }
  auto guarded = MakeGuarded<Model>();
  CapturedLog progress;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);

  ExpectSoundRecord(*guarded, 0);
  const Model& model = guarded->value;
  EXPECT_EQ(model.vertices[1].x, kInfinity);
  EXPECT_EQ(model.vertices[1].y, -kInfinity);
  EXPECT_EQ(model.vertices[1].z, 0.0f);
  EXPECT_EQ(model.texCoords[1].u, -1.0f);  // all bits set, read as signed
  EXPECT_EQ(model.texCoords[1].v, kInfinity);
  EXPECT_EQ(model.faces[0].cornerCount, 1);
  EXPECT_EQ(model.faces[0].vertexIndex[0], kIndexMax);
  EXPECT_EQ(model.faces[0].texCoordIndex[0], kIndexMin);
  EXPECT_EQ(model.faces[0].normalIndex[0], 0);
  EXPECT_TRUE(EndsWith(progress.Tail(), "}\r\n" + Ending(0)));
  EXPECT_EQ(progress.LineEnds(), 7u);
}

TEST_F(HostileLoad, MillionFaceLines) {
  constexpr int kFaceLines = 1000000;
  {
    std::ofstream out("enterprise.obj", std::ios::binary);
    out << "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < kFaceLines; ++i) out << "f 1/1/1 2/2/2 3/3/3\n";
  }
  auto guarded = MakeGuarded<Model>();
  CapturedLog progress;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);

  ExpectSoundRecord(*guarded, kFaceCapacity - 1);
  const Face& last = guarded->value.faces[kFaceCapacity - 1];
  EXPECT_EQ(last.cornerCount, 3);
  EXPECT_EQ(last.vertexIndex[2], 3);
  EXPECT_TRUE(EndsWith(progress.Tail(), "F [1/1/1]{1}{1}{1}[2/2/2]{2}{2}{2}[3/3/3]{3}{3}{3}\r\n"
                                        "Ignored 999399 face lines beyond the first 601\r\n" +
                                            Ending(600)));
  EXPECT_EQ(progress.LineEnds(), 2u + 3u + kFaceLines + 3u);
}

TEST_F(HostileLoad, FaceOfTenThousandCorners) {
  // One corner of 10,001 parts, a face of 10,000 corners, then a sound face.
  std::string corner = "1";
  for (int part = 0; part < 10000; ++part) corner += "/2";
  WriteFile("enterprise.obj", "f " + corner + "\n" + FaceLine(10000) + "f 7 8 9");
  auto guarded = MakeGuarded<Model>();
  CapturedLog progress;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);

  ExpectSoundRecord(*guarded, 2);
  const Model& model = guarded->value;
  EXPECT_EQ(model.faces[0].cornerCount, 1);
  EXPECT_EQ(model.faces[0].vertexIndex[0], 1);
  EXPECT_EQ(model.faces[0].texCoordIndex[0], 2);
  EXPECT_EQ(model.faces[0].normalIndex[0], 2);
  const Face& big = model.faces[1];
  ASSERT_EQ(big.cornerCount, kCornerCapacity);
  for (int k = 0; k < kCornerCapacity; ++k) {
    EXPECT_EQ(big.vertexIndex[k], k + 1);
    EXPECT_EQ(big.normalIndex[k], k + 1);
  }
  // The excess stays with its own face: the next face starts clean.
  EXPECT_EQ(model.faces[2].cornerCount, 3);
  EXPECT_EQ(model.faces[2].vertexIndex[0], 7);
  EXPECT_TRUE(EndsWith(progress.Tail(), "[10000/10000/10000]{10000}{10000}{10000}\r\nF [7]{7}[8]{8}[9]{9}\r\n"
                                        "Ignored 9959 corners beyond the first 41 of a face\r\n" +
                                            Ending(2)));
}

TEST_F(HostileLoad, IndicesAndCoordinatesOutOfEveryRange) {
  struct Case {
    const char* text;
    int32_t index;
  };
  const Case cases[] = {
      {"2.5", 2},
      {"3.5", 4},
      {"&H10", 16},
      {"1,5", 1},
      {"x", 0},
      {"-1", -1},
      {"-600", -600},
      {"0", 0},
      {"601", 601},
      {"2147483647", kIndexMax},
      {"2147483648", kIndexMax},
      {"-2147483648", kIndexMin},
      {"-2147483649", kIndexMin},
      {"99999999999999999999", kIndexMax},
      {"1e300", kIndexMax},
      {"-1e300", kIndexMin},
      {"1e400", kIndexMax},
      {"-1e400", kIndexMin},
      {"1d400", kIndexMax},
      {"1e-400", 0},
      {"2147483646.5", 2147483646},
      {"-2147483647.5", -2147483648},
      {"nan", 0},
      {"inf", 0},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H7FFFFFFFFFFFFFFF", kIndexMax},
      {"&H8000000000000000", kIndexMin},
      {"&B11111111111111111111111111111111111111111111111111111111111111111111", -1},
  };
  std::string obj = "v 1e400 -1e400 1e-400\nv 1e39 -3.4028235e38 nan\nvt inf 1e308\nvn 1d39 -1D39 &H10\n";
  for (const Case& c : cases) obj += std::string("f ") + c.text + "/" + c.text + "/" + c.text + "\n";
  WriteFile("enterprise.obj", obj);
  auto guarded = MakeGuarded<Model>();
  CapturedLog progress;
  LoadModel("enterprise.obj", guarded->value, StandInTexture);

  const int32_t caseCount = static_cast<int32_t>(sizeof cases / sizeof cases[0]);
  ExpectSoundRecord(*guarded, caseCount - 1);
  const Model& model = guarded->value;
  for (int32_t i = 0; i < caseCount; ++i) {
    const Face& face = model.faces[i];
    EXPECT_EQ(face.cornerCount, 1) << cases[i].text;
    EXPECT_EQ(face.vertexIndex[0], cases[i].index) << cases[i].text;
    EXPECT_EQ(face.texCoordIndex[0], cases[i].index) << cases[i].text;
    EXPECT_EQ(face.normalIndex[0], cases[i].index) << cases[i].text;
  }
  EXPECT_EQ(model.vertices[1].x, kInfinity);
  EXPECT_EQ(model.vertices[1].y, -kInfinity);
  EXPECT_EQ(model.vertices[1].z, 0.0f);
  EXPECT_EQ(model.vertices[2].x, kInfinity);
  EXPECT_EQ(model.vertices[2].y, -FLT_MAX);
  EXPECT_EQ(model.vertices[2].z, 0.0f);
  EXPECT_EQ(model.texCoords[1].u, 0.0f);
  EXPECT_EQ(model.texCoords[1].v, kInfinity);
  EXPECT_EQ(model.normals[1].x, kInfinity);
  EXPECT_EQ(model.normals[1].y, -kInfinity);
  EXPECT_EQ(model.normals[1].z, 16.0f);
  EXPECT_TRUE(EndsWith(progress.Tail(), Ending(caseCount - 1)));
}

// Garbage of three kinds as model, library and texture: raw bytes, lines that
// begin with the readers' keywords, and a library whose textures are garbage.
TEST_F(HostileLoad, BinaryGarbageAsModelLibraryAndTexture) {
  WriteHostileTextures(".");
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string shapes[][2] = {
        {GarbageBytes(1 << 20, seed), GarbageBytes(1 << 16, seed + 100)},
        {GarbageLines(20000, seed), GarbageLines(2000, seed + 100) + "newmtl g\nmap_Kd garbage.bmp\n"},
        {GarbageBytes(1 << 16, seed) + GarbageLines(5000, seed), OverflowingLibrary(13, 500)},
    };
    for (const auto& shape : shapes) {
      WriteFile("enterprise.obj", shape[0]);
      WriteFile("enterprise.mtl", shape[1]);
      auto guarded = MakeGuarded<Model>();
      CapturedLog progress;
      testing::internal::CaptureStderr();
      LoadModel("enterprise.obj", guarded->value, StandInTexture);
      testing::internal::GetCapturedStderr();
      ExpectSoundRecord(*guarded, guarded->value.lastFace);
      EXPECT_GE(guarded->value.lastFace, -1);
      EXPECT_LE(guarded->value.lastFace, kFaceCapacity - 1);
      EXPECT_TRUE(EndsWith(progress.Tail(), Ending(guarded->value.lastFace)));
    }
  }
}

TEST_F(HostileLoad, AbsurdTextureHeadersGetNoBuffer) {
  WriteHostileTextures(".");
  const std::vector<HostileTexture> textures = HostileTextures();
  std::string mtl;
  std::string obj;
  for (std::size_t i = 0; i < textures.size(); ++i) {
    mtl += "newmtl t" + std::to_string(i) + "\nmap_Kd " + textures[i].name + "\n";
    obj += "usemtl t" + std::to_string(i) + "\nf 1 1 1\n";
  }
  WriteFile("enterprise.mtl", mtl);
  WriteFile("enterprise.obj", obj);
  auto guarded = MakeGuarded<Model>();
  const std::size_t handedBefore = HandedImages().size();
  CapturedLog progress;
  testing::internal::CaptureStderr();
  StartCountingAllocations();
  LoadModel("enterprise.obj", guarded->value, StandInTexture);
  StopCountingAllocations();
  const std::string errors = testing::internal::GetCapturedStderr();
  // The headers ask for up to 2^64 bytes; the loader asked for no more than
  // its own buffers and the one small texture.
  EXPECT_LT(LargestAllocation(), std::size_t{4} << 20);

  ExpectSoundRecord(*guarded, static_cast<int32_t>(textures.size()) - 1);
  const std::string& head = progress.Head();
  std::size_t handed = handedBefore;
  std::size_t toldOnStderr = 0;
  for (std::size_t i = 0; i < textures.size(); ++i) {
    const HostileTexture& texture = textures[i];
    SCOPED_TRACE(texture.name);
    const Face& face = guarded->value.faces[i];
    const bool opens = texture.kind != HostileTexture::kDirectory && texture.kind != HostileTexture::kPipe &&
                       texture.kind != HostileTexture::kDevice && texture.kind != HostileTexture::kMissing;
    const bool reported = head.find("\r\nCannot load texture file [" + texture.name + "] \r\n") != std::string::npos;
    EXPECT_EQ(reported, !opens);
    // Standard error tells of a refused buffer, and of a header of no 24-bit BMP.
    const bool noBmpHeader = texture.kind == HostileTexture::kGarbage || texture.kind == HostileTexture::kEmpty ||
                             texture.kind == HostileTexture::kHugeSquare || texture.kind == HostileTexture::kMinusOne;
    const std::size_t told = (AsksTooMuch(texture.kind) ? 1 : 0) + (noBmpHeader ? 1 : 0);
    EXPECT_EQ(errors.find("[" + texture.name + "]") != std::string::npos, told > 0);
    toldOnStderr += told;
    if (!opens) {
      EXPECT_EQ(face.texture, 0u);
      continue;
    }
    ASSERT_LT(handed, HandedImages().size());
    EXPECT_EQ(face.texture, kFirstStandInTexture + handed);
    const HandedImage& image = HandedImages()[handed++];
    // Texels exist exactly for a whole buffer of positive sizes.
    if (image.texelsMade) {
      EXPECT_EQ(image.texelBytes, std::size_t(image.width) * std::size_t(image.height) * 4);
    } else {
      EXPECT_EQ(image.texelBytes, 0u);
    }
    switch (texture.kind) {
      case HostileTexture::kHugeSquare:
        EXPECT_EQ(image.width, kIndexMin);
        EXPECT_EQ(image.height, kIndexMin);
        EXPECT_FALSE(image.texelsMade);
        break;
      case HostileTexture::kMinusOne:
        EXPECT_EQ(image.width, -1);
        EXPECT_FALSE(image.texelsMade);
        break;
      case HostileTexture::kLargestSquare:
      case HostileTexture::kWideLine:
      case HostileTexture::kJustOverLimit:
        EXPECT_GT(image.width, 0);
        EXPECT_FALSE(image.texelsMade);
        break;
      case HostileTexture::kCutShort:
        EXPECT_EQ(image.width, 64);
        EXPECT_TRUE(image.texelsMade);
        break;
      case HostileTexture::kOddWidth:
        EXPECT_EQ(image.width, 3);
        EXPECT_TRUE(image.texelsMade);
        break;
      case HostileTexture::kEmpty:
        EXPECT_EQ(image.width, 0);
        EXPECT_FALSE(image.texelsMade);
        break;
      default:
        break;
    }
  }
  EXPECT_EQ(handed, HandedImages().size());
  // One line on standard error for each, and nothing else.
  EXPECT_EQ(static_cast<std::size_t>(std::count(errors.begin(), errors.end(), '\n')), toldOnStderr) << errors;
}

}  // namespace
