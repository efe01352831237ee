#include "fake_texture_upload.h"

#include "model/texture_upload.h"

std::vector<RecordedUpload>& RecordedUploads() {
  static std::vector<RecordedUpload> uploads;
  return uploads;
}

uint32_t UploadTexture(const BmpImage& image) {
  std::vector<RecordedUpload>& uploads = RecordedUploads();
  uploads.push_back({image.width, image.height});
  return kFirstFakeTexture + static_cast<uint32_t>(uploads.size() - 1);
}
