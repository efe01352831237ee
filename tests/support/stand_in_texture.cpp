#include "tests/support/stand_in_texture.h"

#include "model/texture_file.h"

std::vector<HandedImage>& HandedImages() {
  static std::vector<HandedImage> images;
  return images;
}

uint32_t StandInTexture(const std::string& fileName) {
  BmpImage image{};
  if (!ReadTextureFile(fileName, image)) return 0;
  std::vector<HandedImage>& images = HandedImages();
  images.push_back({image.width, image.height, image.texelsMade, image.texels.size()});
  return kFirstStandInTexture + static_cast<uint32_t>(images.size() - 1);
}
