#pragma once
#include <cstdint>

// Fixes, once for the run, the OpenGL state the model is drawn under:
// viewport, projection, clear values, depth test, light 1, colour material and
// 2-D texturing. Leaves the matrix mode at GL_MODELVIEW.
void SetUpScene();

// Where the picture goes in a drawable of this size: as large as fits at 4:3,
// centred; all of a 640 x 480 drawable, and nothing of an empty one.
struct PictureArea {
  int x;  // from the drawable's lower left corner, as OpenGL counts
  int y;
  int width;
  int height;
};
PictureArea FitPicture(int drawableWidth, int drawableHeight);

// Draws from now on into FitPicture's area of a drawable of this size; the
// clear leaves the rest black.
void SetPictureArea(int drawableWidth, int drawableHeight);

// Starts a frame: clears colour and depth, and places the model: the
// model-view matrix becomes T(0, 0, distance) * Ry(yaw) * Rx(pitch), so pitch
// turns the model first, then yaw, then it moves along the view axis.
void BeginFrame(float distance, int32_t yaw, int32_t pitch);
