#pragma once
// A stand-in for the OpenGL half of texture loading, so that the readers,
// texture files included, run without a display. It hands out names from 1000
// on and keeps the size of every image it was given.
#include <cstdint>
#include <vector>

struct RecordedUpload {
  int32_t width;
  int32_t height;
};

std::vector<RecordedUpload>& RecordedUploads();

constexpr uint32_t kFirstFakeTexture = 1000;
