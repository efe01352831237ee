#pragma once
// The OpenGL half of texture loading, kept apart so that the decoding and the
// readers run without a display.
#include <cstdint>

#include "model/bmp.h"

// Makes a new texture object from a decoded image and leaves it bound to
// GL_TEXTURE_2D. Returns its name.
uint32_t UploadTexture(const BmpImage& image);
