// placeholder
#include "render/model_renderer.h"
void DrawModel(const Model&) {}
