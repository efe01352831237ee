#pragma once
// The reading half of texture loading: a texture file opened and decoded,
// with the progress message for one that cannot be opened. The upload to
// OpenGL is render/'s LoadTexture.
#include <string>

#include "model/bmp.h"

// Opens fileName and decodes it into image. When it cannot be opened, writes
// "Cannot load texture file [name] " as a progress line and returns false.
bool ReadTextureFile(const std::string& fileName, BmpImage& image);
