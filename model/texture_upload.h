#pragma once
// The OpenGL half of texture loading, kept apart so that the decoding and the
// readers run without a display.
#include <cstdint>

#include "model/bmp.h"

// Makes a new texture object from a decoded image, with nearest-texel filters,
// and leaves it bound to GL_TEXTURE_2D. Returns its name. The image goes to
// OpenGL with its sizes as read; an image whose texel buffer was refused gets
// no image at all, so that a hostile header cannot make OpenGL allocate what
// the decoder would not.
uint32_t UploadTexture(const BmpImage& image);
