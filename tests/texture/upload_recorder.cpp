#include "tests/texture/upload_recorder.h"

#include "model/texture_upload.h"

std::vector<BmpImage>& RecordedUploads() {
  static std::vector<BmpImage> uploads;
  return uploads;
}

uint32_t UploadTexture(const BmpImage& image) {
  RecordedUploads().push_back(image);
  return StandInName(RecordedUploads().size() - 1);
}
