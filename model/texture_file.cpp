#include "model/texture_file.h"

#include <cstdio>

#include "platform/log.h"

bool ReadTextureFile(const std::string& fileName, BmpImage& image) {
  if (!ReadBmpFile(fileName, image)) {
    LogWrite("Cannot load texture file [" + fileName + "] ", true);
    return false;
  }
  if (TexelsRefused(image)) {
    // Not progress text: the texture is still made, but left without an
    // image, so its faces show their lit colour only.
    std::fprintf(stderr,
                 "viewer: texture file [%s] asks for %d x %d pixels, too many; "
                 "it is left without an image\n",
                 fileName.c_str(), static_cast<int>(image.width), static_cast<int>(image.height));
  }
  return true;
}
