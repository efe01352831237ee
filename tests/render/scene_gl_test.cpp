// The scene state on the real context: what a cleared frame holds, which of
// two faces at the same depth shows, and where a frame's start puts the model.
#include <GL/gl.h>

#include <vector>

#include "render/scene.h"
#include "tests/support/display_test.h"

namespace {

using SceneTest = ScreenTest;

// Draws one square facing the viewer, 5 units in front.
void DrawSquare(GLfloat red, GLfloat green) {
  glColor3f(red, green, 0.0f);
  glBegin(GL_TRIANGLES);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glVertex3f(-1.0f, -1.0f, -5.0f);
  glVertex3f(1.0f, -1.0f, -5.0f);
  glVertex3f(1.0f, 1.0f, -5.0f);
  glVertex3f(-1.0f, -1.0f, -5.0f);
  glVertex3f(1.0f, 1.0f, -5.0f);
  glVertex3f(-1.0f, 1.0f, -5.0f);
  glEnd();
}

TEST_F(SceneTest, AFrameStartsOpaqueBlackAtTheFarDepth) {
  SetUpScene();
  DrawSquare(1.0f, 1.0f);
  BeginFrame(-6.0f, 180, 0);
  std::vector<GLubyte> colour(640 * 480 * 4, 7);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
  std::vector<GLfloat> depth(640 * 480, 0.0f);
  glReadPixels(0, 0, 640, 480, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
  int wrongColour = 0;
  for (std::size_t i = 0; i < colour.size(); i += 4) {
    if (colour[i] != 0 || colour[i + 1] != 0 || colour[i + 2] != 0 || colour[i + 3] != 255) ++wrongColour;
  }
  int wrongDepth = 0;
  for (GLfloat value : depth) {
    if (value != 1.0f) ++wrongDepth;
  }
  EXPECT_EQ(wrongColour, 0);
  EXPECT_EQ(wrongDepth, 0);
}

TEST_F(SceneTest, OfTwoFacesAtTheSameDepthTheLaterShows) {
  SetUpScene();
  for (bool greenLast : {true, false}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    DrawSquare(greenLast ? 1.0f : 0.0f, greenLast ? 0.0f : 1.0f);
    DrawSquare(greenLast ? 0.0f : 1.0f, greenLast ? 1.0f : 0.0f);
    GLubyte centre[4] = {};
    glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    if (greenLast) {
      EXPECT_EQ(centre[0], 0);
      EXPECT_GT(centre[1], 50);
    } else {
      EXPECT_GT(centre[0], 50);
      EXPECT_EQ(centre[1], 0);
    }
  }
  ScreenFlip();
  // What the window shows is the frame just presented.
  const WindowPixels pixels = ReadWindowPixels(driver, window);
  ASSERT_EQ(pixels.width, 640);
  EXPECT_EQ(pixels.rgb[240 * 640 + 320] & 0x00ff00u, 0u);
  EXPECT_GT(pixels.rgb[240 * 640 + 320] >> 16, 50u);
  EXPECT_EQ(pixels.rgb[0], 0u);
}

TEST_F(SceneTest, AFrameTurnsTheModelByPitchThenYawThenMovesIt) {
  SetUpScene();
  glTranslatef(1.0f, 2.0f, 3.0f);  // what the last frame left
  BeginFrame(-6.5f, 90, 180);
  // T(0, 0, -6.5) * Ry(90) * Rx(180), column by column.
  const GLfloat expected[16] = {0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0, -6.5f, 1};
  GLfloat matrix[16] = {};
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(matrix[i], expected[i], 1e-6) << "element " << i;
}

}  // namespace
