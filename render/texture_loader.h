#pragma once
#include <cstdint>
#include <string>

#include "model/bmp.h"

// Reads a 24-bit BMP file into a new OpenGL texture object, mirrored left to
// right, pure magenta with alpha 0, nearest-texel filters. Returns its name,
// left bound to GL_TEXTURE_2D, or 0 when the file cannot be opened. This is
// the texture maker the viewer hands to LoadModel.
uint32_t LoadTexture(const std::string& fileName);

// A new texture object from a decoded image, nearest-texel filters, left bound
// to GL_TEXTURE_2D; returns its name. The sizes go to OpenGL as read, but an
// image whose texel buffer was refused gets none: a hostile header must not
// make OpenGL allocate what the decoder would not.
uint32_t UploadTexture(const BmpImage& image);
