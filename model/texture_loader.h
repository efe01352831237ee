#pragma once
#include <cstdint>
#include <string>

// Reads a 24-bit BMP file into a new OpenGL texture object, mirrored left to
// right, pure magenta with alpha 0, nearest-texel filters. Returns its name,
// left bound to GL_TEXTURE_2D, or 0 when the file cannot be opened.
uint32_t LoadTexture(const std::string& fileName);
