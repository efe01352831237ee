#include "model/texture_upload.h"

#include <GL/gl.h>

namespace {

// GL_NEAREST, given as the float glTexParameterf takes.
constexpr GLfloat kNearest = 9728.0f;

}  // namespace

uint32_t UploadTexture(const BmpImage& image) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // One level and nearest-texel minification: complete without mipmaps.
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, kNearest);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kNearest);
  if (!TexelsRefused(image)) {
    // Sizes as read: OpenGL itself refuses a negative one, leaving the object
    // without an image. Rows of 4-byte texels always meet the default unpack
    // alignment of 4.
    const void* texels = image.texelsMade ? image.texels.data() : nullptr;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, texels);
  }
  return name;
}
