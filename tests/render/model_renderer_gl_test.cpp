// DrawModel on a real context under the viewer's scene: what OpenGL makes of
// its faces, through feedback mode and pixels read back. The exact calls, and
// the faces it refuses to draw: model_renderer_calls_test.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "model/model.h"
#include "render/model_renderer.h"
#include "render/scene.h"
#include "render/texture_loader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/display_test.h"

namespace {

class DrawModelGl : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (!HasFatalFailure()) SetUpScene();
  }
};

// The model-view matrix stays the identity here, so model units are eye units
// and a face at z = -6 lies where the viewer first shows its model.
constexpr float kDepth = -6.0f;

// Lighting with a zero normal leaves only the ambient parts: the global
// ambient 0.2 and light 1's 0.5, both times the face colour.
constexpr float kAmbientOnly = 0.7f;

constexpr double kPi = 3.14159265358979323846;

struct FeedbackVertex {
  float x, y, z;     // window coordinates
  float colour[4];   // lit colour
  float texCoord[4];
};
static_assert(sizeof(FeedbackVertex) == 11 * sizeof(float), "one GL_3D_COLOR_TEXTURE vertex");
using Polygon = std::vector<FeedbackVertex>;

void StartFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}

// The polygons OpenGL rasterises for the model, as feedback mode reports them.
std::vector<Polygon> Feedback(const Model& model) {
  static std::array<GLfloat, 1 << 16> buffer;
  StartFrame();
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  DrawModel(model);
  GLint count = glRenderMode(GL_RENDER);
  EXPECT_GE(count, 0) << "feedback buffer overflow";
  std::vector<Polygon> polygons;
  for (GLint i = 0; i < count;) {
    GLint token = static_cast<GLint>(buffer[i++]);
    if (token != GL_POLYGON_TOKEN) {
      ADD_FAILURE() << "unexpected feedback token " << token;
      break;
    }
    int vertices = static_cast<int>(buffer[i++]);
    Polygon polygon;
    for (int v = 0; v < vertices && i + 11 <= count; ++v, i += 11) {
      FeedbackVertex vertex{};
      std::memcpy(&vertex, &buffer[i], sizeof vertex);
      polygon.push_back(vertex);
    }
    polygons.push_back(polygon);
  }
  return polygons;
}

std::array<double, 2> Project(float x, float y, float z) {
  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wx, wy, wz;
  gluProject(x, y, z, modelView, projection, viewport, &wx, &wy, &wz);
  return {wx, wy};
}

double Area(const std::vector<std::array<double, 2>>& points) {
  double twice = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& a = points[i];
    const auto& b = points[(i + 1) % points.size()];
    twice += a[0] * b[1] - b[0] * a[1];
  }
  return std::fabs(twice) / 2;
}

// A model whose face 0 has the given corners, all with entry numbers 1..n
// for vertex, texture coordinate and normal.
std::unique_ptr<Model> OneFace(const std::vector<std::array<float, 2>>& corners, uint32_t texture,
                               std::array<float, 3> colour) {
  auto model = std::make_unique<Model>();
  Face& face = model->faces[0];
  face.cornerCount = static_cast<int32_t>(corners.size());
  for (std::size_t c = 0; c < corners.size(); ++c) {
    int entry = static_cast<int>(c) + 1;
    model->vertices[entry] = {corners[c][0], corners[c][1], kDepth};
    face.vertexIndex[c] = entry;
    face.texCoordIndex[c] = entry;
  }
  face.texture = texture;
  face.red = colour[0];
  face.green = colour[1];
  face.blue = colour[2];
  model->lastFace = 0;
  return model;
}

// A regular n-gon around the view axis.
std::vector<std::array<float, 2>> RegularPolygon(int n) {
  std::vector<std::array<float, 2>> corners;
  for (int i = 0; i < n; ++i) {
    double angle = 2 * kPi * i / n;
    corners.push_back({static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))});
  }
  return corners;
}

// Every feedback vertex lies on one of the face's projected corners, every
// corner is used, and the triangles cover exactly the face's area.
void ExpectCovers(const std::vector<Polygon>& polygons, const std::vector<std::array<float, 2>>& corners) {
  std::vector<std::array<double, 2>> projected;
  for (const auto& c : corners) projected.push_back(Project(c[0], c[1], kDepth));
  std::vector<bool> used(corners.size(), false);
  double area = 0;
  for (const Polygon& polygon : polygons) {
    std::vector<std::array<double, 2>> points;
    for (const FeedbackVertex& v : polygon) {
      points.push_back({v.x, v.y});
      auto near = [&v](const std::array<double, 2>& p) { return std::hypot(p[0] - v.x, p[1] - v.y) < 0.01; };
      auto hit = std::find_if(projected.begin(), projected.end(), near);
      ASSERT_NE(hit, projected.end()) << "vertex at " << v.x << ", " << v.y;
      std::size_t c = static_cast<std::size_t>(hit - projected.begin());
      used[c] = true;
      // Texture coordinate entry c + 1 was never written: it is (0, 0).
      EXPECT_FLOAT_EQ(v.texCoord[0], 0.0f);
      EXPECT_FLOAT_EQ(v.texCoord[3], 1.0f);
    }
    area += Area(points);
  }
  EXPECT_EQ(std::count(used.begin(), used.end(), false), 0);
  EXPECT_NEAR(area, Area(projected), 0.05);
}

TEST_F(DrawModelGl, TrianglesQuadsAndPolygonsReachTheRasteriser) {
  for (int corners : {3, 4, 5, 7}) {
    SCOPED_TRACE(corners);
    auto model = OneFace(RegularPolygon(corners), 0, {1, 1, 1});
    std::vector<Polygon> polygons = Feedback(*model);
    ASSERT_FALSE(polygons.empty());
    ExpectCovers(polygons, RegularPolygon(corners));
  }
}

using Rgb = std::array<int, 3>;

Rgb ReadPixel(double x, double y) {
  std::array<GLubyte, 4> pixel{};
  glReadPixels(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  return {pixel[0], pixel[1], pixel[2]};
}

void ExpectNear(const Rgb& actual, const std::array<double, 3>& expected) {
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(actual[i], expected[i], 2.0) << "channel " << i;
  }
}

// A screen-facing rectangle, x -2..2 and y -1..1, with the whole texture on it:
// u runs left to right and v bottom to top.
std::unique_ptr<Model> TexturedRectangle(uint32_t texture, std::array<float, 3> colour) {
  auto model = OneFace({{-2, -1}, {2, -1}, {2, 1}, {-2, 1}}, texture, colour);
  model->texCoords[1] = {0, 0};
  model->texCoords[2] = {1, 0};
  model->texCoords[3] = {1, 1};
  model->texCoords[4] = {0, 1};
  return model;
}

TEST_F(DrawModelGl, ATexturedFaceShowsItsTexelsTimesTheLitColourMirrored) {
  // File rows of four pixels (blue, green, red); magenta shows like any colour.
  const std::vector<FilePixel> pixels = {{40, 80, 200},  {250, 10, 30},  {0xFF, 0, 0xFF}, {100, 100, 100},
                                         {10, 200, 60},  {255, 255, 255}, {0, 0, 120},    {90, 30, 160}};
  WriteFile("t.bmp", BmpFile(4, 2, pixels));
  const uint32_t texture = LoadTexture("t.bmp");
  ASSERT_NE(texture, 0u);
  const std::array<float, 3> colour = {1.0f, 0.5f, 0.25f};
  auto model = TexturedRectangle(texture, colour);

  StartFrame();
  DrawModel(*model);
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 4; ++column) {
      SCOPED_TRACE(testing::Message() << "texel " << column << ", " << row);
      // Texture column 0 holds the file row's last pixel.
      const FilePixel& p = pixels[static_cast<std::size_t>(row * 4 + 3 - column)];
      auto at = Project(-2.0f + (column + 0.5f), -1.0f + (row + 0.5f), kDepth);
      ExpectNear(ReadPixel(at[0], at[1]), {p.red * kAmbientOnly * colour[0], p.green * kAmbientOnly * colour[1],
                                           p.blue * kAmbientOnly * colour[2]});
    }
  }
}

TEST_F(DrawModelGl, AFaceWithTextureZeroShowsItsLitColour) {
  const std::array<float, 3> colour = {1.0f, 0.5f, 0.25f};
  auto model = TexturedRectangle(0, colour);
  StartFrame();
  DrawModel(*model);
  for (auto point : {std::array<float, 2>{0, 0}, {-1.5f, 0.5f}, {1.5f, -0.5f}}) {
    auto at = Project(point[0], point[1], kDepth);
    ExpectNear(ReadPixel(at[0], at[1]), {255 * kAmbientOnly * colour[0], 255 * kAmbientOnly * colour[1],
                                         255 * kAmbientOnly * colour[2]});
  }
}

}  // namespace
