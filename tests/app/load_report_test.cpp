// The lines on standard error that say why the picture is empty or wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/load_report.h"

namespace {

struct Loaded {
  Model model;
  LoadSummary summary;
};

// A record as the reader leaves it: opened, faces 0..faceCount-1 drawable
// triangles on lines 10, 11, ... with a red colour.
std::unique_ptr<Loaded> LoadedTriangles(int faceCount) {
  auto loaded = std::make_unique<Loaded>();
  loaded->summary.modelOpened = true;
  loaded->model.lastFace = faceCount - 1;
  for (int i = 0; i < faceCount; ++i) {
    Face& face = loaded->model.faces[i];
    face.cornerCount = 3;
    for (int corner = 0; corner < 3; ++corner) face.vertexIndex[corner] = corner + 1;
    face.red = 1.0f;
    loaded->summary.faceLines[i] = 10 + i;
  }
  return loaded;
}

std::string Report(const Loaded& loaded, const std::string& fileName = "enterprise.obj") {
  return ReportLoadProblems(fileName, "/models", loaded.model, loaded.summary).lines;
}

bool SomethingShows(const Loaded& loaded) {
  return ReportLoadProblems("enterprise.obj", "/models", loaded.model, loaded.summary).somethingShows;
}

TEST(LoadReport, AModelThatDrawsWholeSaysNothing) {
  EXPECT_EQ(Report(*LoadedTriangles(3)), "");
  EXPECT_TRUE(SomethingShows(*LoadedTriangles(3)));
}

TEST(LoadReport, NoModelFileNamesTheDirectoryLookedIn) {
  auto loaded = std::make_unique<Loaded>();
  EXPECT_EQ(Report(*loaded, "no such model.obj"),
            "viewer: no no such model.obj in /models; the window stays empty\n");
  EXPECT_FALSE(SomethingShows(*loaded));
}

// Faces that are not drawn, drawn black or have no corners show nothing; one
// face in a colour is enough.
TEST(LoadReport, NothingShowsWithoutAFaceDrawnInAColourOrTexture) {
  auto loaded = LoadedTriangles(4);
  Model& model = loaded->model;
  model.faces[0].red = 0.0f;
  model.faces[1].vertexIndex[0] = 601;
  model.faces[2] = Face{};
  model.faces[3].vertexIndex[0] = -1;
  EXPECT_FALSE(SomethingShows(*loaded));
  model.faces[3].vertexIndex[0] = 1;
  EXPECT_TRUE(SomethingShows(*loaded));
}

// Out of range in each of the three index arrays, and a count beyond a face's
// corners: the first one's line is named, all are counted; black is counted
// among the drawn faces only.
TEST(LoadReport, CountsSkippedAndBlackFacesWithTheFirstSkippedLine) {
  auto loaded = LoadedTriangles(7);
  Model& model = loaded->model;
  model.faces[2].vertexIndex[1] = -1;
  model.faces[3].normalIndex[2] = 601;
  model.faces[4].texCoordIndex[0] = 1000;
  model.faces[5].cornerCount = 42;
  model.faces[6].red = 0.0f;  // black, no texture, drawn
  model.faces[4].red = 0.0f;  // black but skipped: counted once, as skipped
  EXPECT_EQ(Report(*loaded),
            "viewer: 4 faces are not drawn: they use a vertex, normal or texture coordinate number outside "
            "0..600 (negative, relative or too large); the first is on line 12 of enterprise.obj\n"
            "viewer: 1 face has no material colour or texture (no usemtl before it, or one that names no "
            "material of the library); it is drawn black on the black background\n");
}

TEST(LoadReport, ATexturedBlackFaceIsNotBlack) {
  auto loaded = LoadedTriangles(1);
  loaded->model.faces[0].red = 0.0f;
  loaded->model.faces[0].texture = 5;
  EXPECT_EQ(Report(*loaded), "");
}

// The renderer draws nothing for a face of fewer than three corners, whatever
// its colour; a bare "f" line has none.
TEST(LoadReport, FacesOfFewerThanThreeCornersAreNotDrawn) {
  auto loaded = LoadedTriangles(3);
  loaded->model.faces[0].cornerCount = 1;
  loaded->model.faces[1].cornerCount = 2;
  loaded->model.faces[2].cornerCount = 0;
  EXPECT_EQ(Report(*loaded),
            "viewer: 3 faces have fewer than three corners and are not drawn; the first is on line 10 of "
            "enterprise.obj\n");
  EXPECT_FALSE(SomethingShows(*loaded));
}

TEST(LoadReport, WhatDidNotFitIsSaidOnce) {
  auto loaded = LoadedTriangles(1);
  loaded->summary.capacityExceeded = true;
  EXPECT_EQ(Report(*loaded),
            "viewer: the model holds more than the viewer can; the picture shows only what fitted\n");
}

}  // namespace
