#include "render/scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/screen.h"

namespace {

// One unit in the last place below 640.0 / 480.0, as the projection has always used.
constexpr double kAspectRatio = 1.333333333333333;

constexpr GLfloat lightAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
// Given while the model-view matrix is the identity, so it stays fixed in eye
// space: 4 units above and 2 in front of the viewer while the model turns.
constexpr GLfloat lightPosition[4] = {0.0f, 4.0f, -2.0f, 1.0f};

}  // namespace

PictureArea FitPicture(int drawableWidth, int drawableHeight) {
  const long long width = drawableWidth > 0 ? drawableWidth : 0;
  const long long height = drawableHeight > 0 ? drawableHeight : 0;
  PictureArea area{};
  // Rounded to the nearest pixel, so that 640 x 480 and every exact 4:3 size is filled whole.
  if (width * 3 >= height * 4) {
    area.height = static_cast<int>(height);
    area.width = static_cast<int>((height * 4 + 1) / 3);
  } else {
    area.width = static_cast<int>(width);
    area.height = static_cast<int>((width * 3 + 2) / 4);
  }
  area.x = static_cast<int>((width - area.width) / 2);
  area.y = static_cast<int>((height - area.height) / 2);
  return area;
}

void SetPictureArea(int drawableWidth, int drawableHeight) {
  const PictureArea area = FitPicture(drawableWidth, drawableHeight);
  glViewport(area.x, area.y, area.width, area.height);
}

void SetUpScene() {
  SetPictureArea(kScreenWidth, kScreenHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, kAspectRatio, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);  // of two faces at equal depth the later one shows
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  glLightfv(GL_LIGHT1, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
  // Each face's glColor3f becomes its ambient and diffuse material colour.
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_TEXTURE_2D);
}

void BeginFrame(float distance, int32_t yaw, int32_t pitch) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, distance);
  glRotatef(static_cast<float>(yaw), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(pitch), 1.0f, 0.0f, 0.0f);
}
