#pragma once
// PNG files written without compression: stored deflate blocks, with the
// format's CRC-32 and Adler-32 sums computed here.
#include <string>

#include "rgba_image.h"

// An 8-bit RGBA PNG of the image.
std::string PngBytes(const RgbaImage& image);
