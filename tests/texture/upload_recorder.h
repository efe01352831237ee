#pragma once
// A stand-in for the OpenGL upload: it keeps every image it is given, so that
// LoadTexture can be tested without a display.
#include <cstdint>
#include <vector>

#include "model/bmp.h"

std::vector<BmpImage>& RecordedUploads();

// The name the stand-in returns for upload number n (from 0).
constexpr uint32_t StandInName(std::size_t n) { return 1000 + static_cast<uint32_t>(n); }
