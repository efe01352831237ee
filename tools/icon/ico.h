#pragma once
// Windows icon files holding one PNG picture for each size.
#include <string>
#include <vector>

#include "rgba_image.h"

// The pictures in the order given; each at most 256 pixels square.
std::string IcoBytes(const std::vector<RgbaImage>& images);
