// The scene state on the real context: what a cleared frame holds and which
// of two faces at the same depth shows.
#include <GL/gl.h>

#include <vector>

#include "render/scene.h"
#include "tests/platform/screen_fixture.h"

namespace {

using SceneTest = ScreenTest;

TEST_F(SceneTest, ContextHasTheAskedPixelFormat) {
  GLint bits[4] = {};
  glGetIntegerv(GL_RED_BITS, &bits[0]);
  glGetIntegerv(GL_GREEN_BITS, &bits[1]);
  glGetIntegerv(GL_BLUE_BITS, &bits[2]);
  glGetIntegerv(GL_ALPHA_BITS, &bits[3]);
  for (GLint channel : bits) EXPECT_EQ(channel, 8);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
  GLboolean doubleBuffered = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_EQ(doubleBuffered, GL_TRUE);
  // A new context's viewport covers the client area.
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
}

TEST_F(SceneTest, ClearedFrameIsOpaqueBlackAtTheFarDepth) {
  SetUpScene();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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

}  // namespace
