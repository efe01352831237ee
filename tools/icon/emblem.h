#pragma once
// The program's icon: the sample starship, drawn from its own mesh and
// colours over a disc of night sky.
#include "rgba_image.h"

// The icon at size x size pixels.
RgbaImage DrawEmblem(int size);
