// The shipped sample model in assets/: made by the generator, and shaped so
// that the viewer holds all of it and shows it well at start.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/generator_output.h"

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = SAMPLE_MODEL_ASSETS;

// The viewer's fixed capacities.
constexpr int kMaxEntries = 600;
constexpr int kMaxFaces = 601;
constexpr int kMaxCorners = 41;
constexpr int kMaxMaterials = 20;

std::string ReadBytes(const fs::path& path) { return ReadWholeFile(path.string()); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : text + separator) {
    if (c == separator) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  return fields;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// A whole decimal number, nothing before or after it.
bool ParseWhole(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

bool ParseIndex(const std::string& text, int& value) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), digit)) return false;
  value = std::stoi(text);
  return true;
}

struct Vec3 {
  double x, y, z;
};

struct ObjCorner {
  int position, texCoord, normal;
};

struct ObjFace {
  std::string material;
  std::vector<ObjCorner> corners;
};

struct ObjFile {
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  int texCoordCount = 0;
  std::vector<ObjFace> faces;
  std::vector<std::string> problems;
};

// Reads the model file strictly: every line the viewer reads must be well
// formed, since its reader would take anything else silently.
ObjFile ReadObj(const std::string& text) {
  ObjFile obj;
  std::string material;
  int number = 0;
  for (const std::string& line : Lines(text)) {
    ++number;
    auto problem = [&](const std::string& what) {
      obj.problems.push_back("line " + std::to_string(number) + ": " + what + ": " + line);
    };
    if (line.empty() || line[0] == '#' || StartsWith(line, "mtllib ")) continue;
    if (StartsWith(line, "usemtl ")) {
      material = line.substr(7);
      continue;
    }
    const std::vector<std::string> fields = Fields(line, ' ');
    const std::string& kind = fields[0];
    if (kind == "v" || kind == "vn" || kind == "vt") {
      const std::size_t wanted = kind == "vt" ? 2 : 3;
      std::array<double, 3> values{};
      bool ok = fields.size() == wanted + 1;
      for (std::size_t i = 0; ok && i < wanted; ++i) ok = ParseWhole(fields[i + 1], values[i]);
      if (!ok) problem("not " + std::to_string(wanted) + " plain numbers");
      if (kind == "v") obj.positions.push_back({values[0], values[1], values[2]});
      if (kind == "vn") obj.normals.push_back({values[0], values[1], values[2]});
      if (kind == "vt") ++obj.texCoordCount;
    } else if (kind == "f") {
      if (material.empty()) problem("face before any material");
      ObjFace face{material, {}};
      for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::vector<std::string> parts = Fields(fields[i], '/');
        ObjCorner corner{};
        if (parts.size() != 3 || !ParseIndex(parts[0], corner.position) ||
            !ParseIndex(parts[1], corner.texCoord) || !ParseIndex(parts[2], corner.normal)) {
          problem("corner is not v/vt/vn");
        }
        face.corners.push_back(corner);
      }
      obj.faces.push_back(face);
    } else {
      problem("a line the model should not hold");
    }
  }
  return obj;
}

struct MtlMaterial {
  std::string name;
  std::vector<double> colour;
  std::string textureFile;
};

std::vector<MtlMaterial> ReadMtl(const std::string& text) {
  std::vector<MtlMaterial> materials;
  for (const std::string& line : Lines(text)) {
    if (StartsWith(line, "newmtl ")) {
      materials.push_back({line.substr(7), {}, ""});
    } else if (!materials.empty() && StartsWith(line, "Kd ")) {
      for (const std::string& field : Fields(line.substr(3), ' ')) {
        double value = -1.0;
        ParseWhole(field, value);
        materials.back().colour.push_back(value);
      }
    } else if (!materials.empty() && StartsWith(line, "map_Kd ")) {
      materials.back().textureFile = line.substr(7);
    }
  }
  return materials;
}

uint32_t LittleEndian(const std::string& bytes, std::size_t offset, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

// The shipped files, read once for all tests.
struct ShippedModel {
  std::string objText = ReadBytes(kAssets / "enterprise.obj");
  std::string mtlText = ReadBytes(kAssets / "enterprise.mtl");
  ObjFile obj = ReadObj(objText);
};

const ShippedModel& Shipped() {
  static const ShippedModel shipped;
  return shipped;
}

TEST(SampleModelGenerator, ReproducesTheShippedAssetsByteForByte) {
  ExpectGeneratorReproduces(SAMPLE_MODEL_GENERATOR, kAssets.string());
}

TEST(SampleModelGenerator, FailsWithoutAWritableDirectory) {
  EXPECT_EQ(RunGenerator(SAMPLE_MODEL_GENERATOR, {}), 2);
  EXPECT_EQ(RunGenerator(SAMPLE_MODEL_GENERATOR, {"/nonexistent/sample-model"}), 1);
}

TEST(SampleModel, TextIsPlainWithOneSpaceBetweenFields) {
  // The reader splits at every single space and keeps CR or tabs in the
  // text, so any of them would shift or spoil a number.
  for (const std::string* text : {&Shipped().objText, &Shipped().mtlText}) {
    EXPECT_EQ(text->find('\r'), std::string::npos);
    EXPECT_EQ(text->find('\t'), std::string::npos);
    EXPECT_EQ(text->find("  "), std::string::npos);
    EXPECT_EQ(text->find(" \n"), std::string::npos);
    ASSERT_FALSE(text->empty());
    EXPECT_EQ(text->back(), '\n');
  }
  const std::vector<std::string>& problems = Shipped().obj.problems;
  EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(SampleModel, FitsTheViewersCapacities) {
  const ObjFile& obj = Shipped().obj;
  EXPECT_LE(obj.positions.size(), static_cast<std::size_t>(kMaxEntries));
  EXPECT_LE(obj.normals.size(), static_cast<std::size_t>(kMaxEntries));
  EXPECT_LE(obj.texCoordCount, kMaxEntries);
  EXPECT_LE(obj.faces.size(), static_cast<std::size_t>(kMaxFaces));
  EXPECT_GT(obj.faces.size(), 300u) << "a ship worth looking at";

  const std::vector<MtlMaterial> materials = ReadMtl(Shipped().mtlText);
  EXPECT_LE(materials.size(), static_cast<std::size_t>(kMaxMaterials));
  EXPECT_GE(materials.size(), 4u);
}

TEST(SampleModel, EveryCornerAddressesAnEntryThatExists) {
  const ObjFile& obj = Shipped().obj;
  int triangles = 0;
  int quads = 0;
  for (const ObjFace& face : obj.faces) {
    const std::size_t count = face.corners.size();
    EXPECT_GE(count, 3u);
    EXPECT_LE(count, static_cast<std::size_t>(kMaxCorners));
    triangles += count == 3;
    quads += count == 4;
    std::set<int> positions;
    for (const ObjCorner& corner : face.corners) {
      EXPECT_GE(corner.position, 1);
      EXPECT_LE(corner.position, static_cast<int>(obj.positions.size()));
      EXPECT_GE(corner.texCoord, 1);
      EXPECT_LE(corner.texCoord, obj.texCoordCount);
      EXPECT_GE(corner.normal, 1);
      EXPECT_LE(corner.normal, static_cast<int>(obj.normals.size()));
      positions.insert(corner.position);
    }
    EXPECT_EQ(positions.size(), count) << "a face folds onto itself";
  }
  EXPECT_GT(triangles, 0);
  EXPECT_GT(quads, 0);
}

TEST(SampleModel, MaterialsAreDefinedAndTexturesAreBmpsTheViewerReads) {
  const ObjFile& obj = Shipped().obj;
  const std::vector<MtlMaterial> materials = ReadMtl(Shipped().mtlText);
  std::set<std::string> names;
  int textured = 0;
  for (const MtlMaterial& material : materials) {
    EXPECT_TRUE(names.insert(material.name).second) << "two materials named " << material.name;
    ASSERT_EQ(material.colour.size(), 3u) << material.name;
    for (double component : material.colour) {
      EXPECT_GE(component, 0.0) << material.name;
      EXPECT_LE(component, 1.0) << material.name;
    }
    if (material.textureFile.empty()) continue;
    ++textured;
    const std::string bmp = ReadBytes(kAssets / material.textureFile);
    ASSERT_GE(bmp.size(), 54u) << material.textureFile;
    const uint32_t width = LittleEndian(bmp, 18, 4);
    const uint32_t height = LittleEndian(bmp, 22, 4);
    EXPECT_EQ(bmp.substr(0, 2), "BM") << material.textureFile;
    EXPECT_EQ(LittleEndian(bmp, 10, 4), 54u) << material.textureFile;
    EXPECT_EQ(LittleEndian(bmp, 14, 4), 40u) << material.textureFile;
    EXPECT_EQ(LittleEndian(bmp, 28, 2), 24u) << material.textureFile;
    EXPECT_EQ(LittleEndian(bmp, 30, 4), 0u) << material.textureFile;
    // The viewer reads rows without padding, which a width that is a
    // multiple of four never has; a negative height would be top-down.
    EXPECT_EQ(width % 4, 0u) << material.textureFile;
    EXPECT_GT(width, 0u) << material.textureFile;
    EXPECT_GT(height, 0u) << material.textureFile;
    EXPECT_LT(height, 4096u) << material.textureFile;
    EXPECT_EQ(bmp.size(), 54u + 3u * width * height) << material.textureFile;
  }
  EXPECT_GE(textured, 3);

  std::set<std::string> used;
  for (const ObjFace& face : obj.faces) {
    EXPECT_EQ(names.count(face.material), 1u) << "no material named " << face.material;
    used.insert(face.material);
  }
  EXPECT_EQ(used, names) << "every material is used";
}

TEST(SampleModel, NormalsHaveUnitLengthAndQuadsAreFlat) {
  const ObjFile& obj = Shipped().obj;
  // Normals reach the lighting as written: nothing rescales them.
  for (const Vec3& n : obj.normals) {
    EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-3);
  }
  for (const ObjFace& face : obj.faces) {
    if (face.corners.size() != 4) continue;
    Vec3 p[4];
    for (int i = 0; i < 4; ++i) p[i] = obj.positions[face.corners[i].position - 1];
    const Vec3 a{p[1].x - p[0].x, p[1].y - p[0].y, p[1].z - p[0].z};
    const Vec3 b{p[3].x - p[0].x, p[3].y - p[0].y, p[3].z - p[0].z};
    const Vec3 c{p[2].x - p[0].x, p[2].y - p[0].y, p[2].z - p[0].z};
    const Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    ASSERT_GT(length, 0.0);
    // Four decimals leave the corners up to about 3e-4 off a flat quad's plane.
    EXPECT_LT(std::fabs(n.x * c.x + n.y * c.y + n.z * c.z) / length, 6e-4) << "a quad that is not flat";
  }
}

TEST(SampleModel, TheStartViewShowsAllOfTheShipLarge) {
  const ObjFile& obj = Shipped().obj;
  double longest = 0.0;
  for (const Vec3& a : obj.positions) {
    for (const Vec3& b : obj.positions) {
      longest = std::max(longest, std::hypot(a.x - b.x, a.y - b.y, a.z - b.z));
    }
  }
  EXPECT_GE(longest, 3.5);
  EXPECT_LE(longest, 4.1);

  // The start view: T(0, 0, -6) * Ry(180), then a 45 degree field of view at
  // 4:3. Ry(180) takes (x, y, z) to (-x, y, -z).
  const double focal = 1.0 / std::tan(std::acos(-1.0) / 8.0);  // half of 45 degrees
  double left = 1.0, right = -1.0, bottom = 1.0, top = -1.0;
  for (const Vec3& p : obj.positions) {
    const double depth = 6.0 + p.z;  // distance in front of the viewer
    ASSERT_GT(depth, 0.1);
    const double x = focal / (4.0 / 3.0) * -p.x / depth;
    const double y = focal * p.y / depth;
    left = std::min(left, x);
    right = std::max(right, x);
    bottom = std::min(bottom, y);
    top = std::max(top, y);
  }
  EXPECT_GT(left, -0.9);
  EXPECT_LT(right, 0.9);
  EXPECT_GT(bottom, -0.9);
  EXPECT_LT(top, 0.9);
  EXPECT_GT(right - left, 1.1) << "the ship spans over half the window's width";
  EXPECT_LT(std::fabs(left + right), 0.2) << "and stands near the middle";
  EXPECT_LT(std::fabs(bottom + top), 0.2);
}

}  // namespace
