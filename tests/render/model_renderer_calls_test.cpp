// DrawModel against recording stand-ins for its OpenGL calls: the exact
// sequence it sends, and the faces it refuses to read.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "model/model.h"
#include "render/model_renderer.h"

std::vector<std::string>& RecordedCalls();

namespace {

using Calls = std::vector<std::string>;

Calls Draw(const Model& model) {
  RecordedCalls().clear();
  DrawModel(model);
  return RecordedCalls();
}

// Entries n hold values that name them: vertex n is (n, n + 0.25, n + 0.5),
// normal n is (-n, ...), texture coordinate n is (n + 0.125, n + 0.75).
std::unique_ptr<Model> NumberedModel() {
  auto model = std::make_unique<Model>();
  for (int n = 1; n <= kLastEntry; ++n) {
    float f = static_cast<float>(n);
    model->vertices[n] = {f, f + 0.25f, f + 0.5f};
    model->normals[n] = {-f, -f - 0.25f, -f - 0.5f};
    model->texCoords[n] = {f + 0.125f, f + 0.75f};
  }
  return model;
}

void SetFace(Model& model, int index, std::vector<int32_t> vertices, uint32_t texture, float red, float green,
             float blue) {
  Face& face = model.faces[index];
  face.cornerCount = static_cast<int32_t>(vertices.size());
  for (std::size_t corner = 0; corner < vertices.size(); ++corner) {
    face.vertexIndex[corner] = vertices[corner];
    face.normalIndex[corner] = vertices[corner] + 1;
    face.texCoordIndex[corner] = vertices[corner] + 2;
  }
  face.texture = texture;
  face.red = red;
  face.green = green;
  face.blue = blue;
}

std::string Corner(const std::string& normal, const std::string& texCoord, const std::string& vertex) {
  return "normal " + normal + "|texcoord " + texCoord + "|vertex " + vertex;
}

// Joins corner triples so that they compare as single entries.
Calls Flatten(const Calls& calls) {
  Calls flat;
  for (const std::string& call : calls) {
    std::size_t start = 0;
    for (std::size_t bar; (bar = call.find('|', start)) != std::string::npos; start = bar + 1) {
      flat.push_back(call.substr(start, bar - start));
    }
    flat.push_back(call.substr(start));
  }
  return flat;
}

TEST(DrawModelCalls, LastFaceMinusOneMakesNoCall) {
  auto model = NumberedModel();
  SetFace(*model, 0, {1, 2, 3}, 5, 1, 1, 1);
  model->lastFace = -1;
  EXPECT_TRUE(Draw(*model).empty());
  model->lastFace = INT32_MIN;
  EXPECT_TRUE(Draw(*model).empty());
}

TEST(DrawModelCalls, AnAllZeroRecordGivesOneEmptyPolygon) {
  auto model = std::make_unique<Model>();
  EXPECT_EQ(Draw(*model), (Calls{"bind 3553,0", "colour 0,0,0", "begin 9", "end"}));
}

TEST(DrawModelCalls, SendsEachCornerAsNormalTexCoordVertexFromItsOwnEntries) {
  auto model = NumberedModel();
  Face& face = model->faces[0];
  face.cornerCount = 3;
  // Different entries for normal, texture coordinate and vertex of each corner.
  const int32_t vertices[3] = {10, 20, 600}, normals[3] = {11, 0, 12}, texCoords[3] = {0, 13, 14};
  for (int c = 0; c < 3; ++c) {
    face.vertexIndex[c] = vertices[c];
    face.normalIndex[c] = normals[c];
    face.texCoordIndex[c] = texCoords[c];
  }
  face.texture = 7;
  face.red = 0.5f;
  face.green = 0.25f;
  face.blue = 1;
  EXPECT_EQ(Draw(*model), Flatten({"bind 3553,7", "colour 0.5,0.25,1", "begin 4",
                                   Corner("-11,-11.25,-11.5", "0,0", "10,10.25,10.5"),
                                   Corner("0,0,0", "13.125,13.75", "20,20.25,20.5"),
                                   Corner("-12,-12.25,-12.5", "14.125,14.75", "600,600.25,600.5"), "end"}));
}

TEST(DrawModelCalls, ThePrimitiveFollowsTheCornerCount) {
  struct Case {
    int32_t cornerCount;
    std::string begin;
  };
  for (Case c : {Case{3, "begin 4"}, Case{4, "begin 7"}, Case{5, "begin 9"}, Case{1, "begin 9"}, Case{2, "begin 9"},
                 Case{41, "begin 9"}, Case{0, "begin 9"}, Case{-3, "begin 9"}, Case{INT32_MIN, "begin 9"}}) {
    SCOPED_TRACE(c.cornerCount);
    auto model = NumberedModel();
    std::vector<int32_t> vertices;
    for (int32_t i = 0; i < c.cornerCount; ++i) vertices.push_back(i + 1);
    SetFace(*model, 0, vertices, 0, 0, 0, 0);
    model->faces[0].cornerCount = c.cornerCount;
    Calls calls = Draw(*model);
    int32_t corners = c.cornerCount > 0 ? c.cornerCount : 0;
    ASSERT_EQ(calls.size(), static_cast<std::size_t>(4 + 3 * corners));
    EXPECT_EQ(calls[2], c.begin);
    EXPECT_EQ(calls.back(), "end");
  }
}

TEST(DrawModelCalls, RepeatedTexturesColoursAndPrimitivesAreSentForEveryFace) {
  auto model = NumberedModel();
  SetFace(*model, 0, {1, 2, 3}, 4, 1, 0, 0);
  SetFace(*model, 1, {3, 2, 1}, 4, 1, 0, 0);
  SetFace(*model, 2, {1, 2, 3, 4}, 0, 0, 1, 0);
  model->lastFace = 2;
  Calls calls = Draw(*model);
  Calls heads;
  for (const std::string& call : calls) {
    if (call.rfind("bind", 0) == 0 || call.rfind("colour", 0) == 0 || call.rfind("begin", 0) == 0 || call == "end") {
      heads.push_back(call);
    }
  }
  EXPECT_EQ(heads, (Calls{"bind 3553,4", "colour 1,0,0", "begin 4", "end",  //
                          "bind 3553,4", "colour 1,0,0", "begin 4", "end",  //
                          "bind 3553,0", "colour 0,1,0", "begin 7", "end"}));
  EXPECT_EQ(calls.size(), 12u + 3u * (3 + 3 + 4));
}

TEST(DrawModelCalls, UnusedCornerPositionsAreNotLookedAt) {
  auto model = NumberedModel();
  SetFace(*model, 0, {1, 2, 3}, 0, 0, 0, 0);
  model->faces[0].vertexIndex[3] = INT32_MAX;
  model->faces[0].normalIndex[40] = -1;
  EXPECT_EQ(Draw(*model).size(), 4u + 9u);
}

TEST(DrawModelCalls, FacesThatWouldReadOutsideTheRecordAreSkippedWhole) {
  auto model = NumberedModel();
  SetFace(*model, 0, {1, 2, 3}, 1, 0, 0, 0);
  int face = 1;
  for (int32_t bad : {-1, 601, INT32_MAX, INT32_MIN}) {
    for (int array = 0; array < 3; ++array) {
      SetFace(*model, face, {1, 2, 3, 4}, 2, 0, 0, 0);
      Face& f = model->faces[face];
      int32_t* indices = array == 0 ? f.vertexIndex : array == 1 ? f.normalIndex : f.texCoordIndex;
      indices[face % 4] = bad;  // each array gets a bad index at every used corner, first and last included
      ++face;
    }
  }
  SetFace(*model, face++, {1, 2, 3}, 3, 0, 0, 0);
  model->faces[face - 1].cornerCount = 42;
  SetFace(*model, face++, {1, 2, 3}, 4, 0, 0, 0);
  model->faces[face - 1].cornerCount = INT32_MAX;
  SetFace(*model, face, {4, 5, 6}, 5, 0, 0, 0);
  model->lastFace = face;
  const Calls calls = Draw(*model);
  Calls binds;
  for (const std::string& call : calls) {
    if (call.rfind("bind", 0) == 0) binds.push_back(call);
  }
  EXPECT_EQ(binds, (Calls{"bind 3553,1", "bind 3553,5"}));
  EXPECT_EQ(calls.size(), 2u * (4u + 9u)) << "a skipped face made calls";
}

TEST(DrawModelCalls, NeverReadsPastTheLastFaceSlot) {
  auto model = NumberedModel();
  for (int i = 0; i < kFaceCapacity; ++i) SetFace(*model, i, {1, 2, 3}, static_cast<uint32_t>(i), 0, 0, 0);
  for (int32_t lastFace : {600, 601, 10000, INT32_MAX}) {
    SCOPED_TRACE(lastFace);
    model->lastFace = lastFace;
    Calls calls = Draw(*model);
    ASSERT_EQ(calls.size(), static_cast<std::size_t>(kFaceCapacity * (4 + 9)));
    EXPECT_EQ(calls[calls.size() - 13], "bind 3553,600");
  }
}

}  // namespace
