#include "tests/hostile/stand_in_upload.h"

#include "model/texture_upload.h"

std::vector<HandedImage>& HandedImages() {
  static std::vector<HandedImage> images;
  return images;
}

uint32_t UploadTexture(const BmpImage& image) {
  std::vector<HandedImage>& images = HandedImages();
  images.push_back({image.width, image.height, image.texelsMade, image.texels.size()});
  return kFirstStandInTexture + static_cast<uint32_t>(images.size() - 1);
}
