#include "model/texture_file.h"

#include <cstdio>

#include "platform/log.h"

bool ReadTextureFile(const std::string& fileName, BmpImage& image) {
  if (!ReadBmpFile(fileName, image)) {
    LogWrite("Cannot load texture file [" + fileName + "] ", true);
    return false;
  }
  const std::string problem = DescribeHeaderProblem(image);
  if (!problem.empty()) {
    // Its bytes are still read as 24-bit pixels; the picture shows whatever
    // they make.
    std::fprintf(stderr, "viewer: texture file [%s] is no uncompressed 24-bit BMP: its header %s\n",
                 fileName.c_str(), problem.c_str());
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
