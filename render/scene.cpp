// placeholder
#include "render/scene.h"
void SetUpScene() {}
