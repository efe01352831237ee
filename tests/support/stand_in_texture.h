#pragma once
// The texture maker that tests hand LoadModel in place of the viewer's
// LoadTexture, so that the readers run without a display: texture files are
// still opened and decoded, with the real progress message for one that
// cannot be opened, but nothing goes to OpenGL. Each decoded image is kept
// and gets the next name from kFirstStandInTexture on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HandedImage {
  int32_t width;
  int32_t height;
  bool texelsMade;
  std::size_t texelBytes;
};

constexpr uint32_t kFirstStandInTexture = 5000;

uint32_t StandInTexture(const std::string& fileName);

// Every image handed out so far, in order: name kFirstStandInTexture + i is
// entry i. A test may clear it.
std::vector<HandedImage>& HandedImages();
