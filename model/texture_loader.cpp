#include "model/texture_loader.h"

#include <cstdio>

#include "model/bmp.h"
#include "model/texture_upload.h"
#include "platform/log.h"

uint32_t LoadTexture(const std::string& fileName) {
  BmpImage image{};
  if (!ReadBmpFile(fileName, image)) {
    LogWrite("Cannot load texture file [" + fileName + "] ", true);
    return 0;  // and no texture object
  }
  if (TexelsRefused(image)) {
    // Not progress text: the object is still made, but left without an image,
    // so its faces show their lit colour only.
    std::fprintf(stderr,
                 "viewer: texture file [%s] asks for %d x %d pixels, too many; "
                 "it is left without an image\n",
                 fileName.c_str(), static_cast<int>(image.width), static_cast<int>(image.height));
  }
  return UploadTexture(image);
}
