#include "render/texture_loader.h"

#include <GL/gl.h>

#include "model/texture_file.h"

uint32_t LoadTexture(const std::string& fileName) {
  BmpImage image{};
  if (!ReadTextureFile(fileName, image)) return 0;  // and no texture object
  return UploadTexture(image);
}

uint32_t UploadTexture(const BmpImage& image) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // One level and nearest-texel minification: complete without mipmaps.
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_NEAREST));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_NEAREST));
  if (!TexelsRefused(image)) {
    // Sizes as read: OpenGL itself refuses a negative one, leaving the object
    // without an image. Rows of 4-byte texels always meet the default unpack
    // alignment of 4.
    const void* texels = image.texelsMade ? image.texels.data() : nullptr;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_BGRA_EXT,
                 GL_UNSIGNED_BYTE, texels);
  }
  return name;
}
