#pragma once
#include <cstdint>
#include <string>

#include "model/bmp.h"

// Reads a 24-bit BMP file into a new OpenGL texture object, mirrored left to
// right, pure magenta with alpha 0, nearest-texel filters. Returns its name,
// left bound to GL_TEXTURE_2D, or 0 when the file cannot be opened. This is
// the texture maker the viewer hands to LoadModel.
uint32_t LoadTexture(const std::string& fileName);

// Makes a new texture object from a decoded image, with nearest-texel filters,
// and leaves it bound to GL_TEXTURE_2D. Returns its name. The image goes to
// OpenGL with its sizes as read; an image whose texel buffer was refused gets
// no image at all, so that a hostile header cannot make OpenGL allocate what
// the decoder would not.
uint32_t UploadTexture(const BmpImage& image);
