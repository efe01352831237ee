#pragma once
// Fixes, once for the run, the OpenGL state the model is drawn under:
// viewport, projection, clear values, depth test, light 1, colour material and
// 2-D texturing. Leaves the matrix mode at GL_MODELVIEW.
void SetUpScene();
