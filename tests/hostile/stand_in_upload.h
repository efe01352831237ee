#pragma once
// Stands in for the OpenGL half of texture loading in the loader tests: hands
// out names from kFirstStandInTexture on and keeps what it was given.
#include <cstddef>
#include <cstdint>
#include <vector>

struct HandedImage {
  int32_t width;
  int32_t height;
  bool texelsMade;
  std::size_t texelBytes;
};

std::vector<HandedImage>& HandedImages();

constexpr uint32_t kFirstStandInTexture = 5000;
