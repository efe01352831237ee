// BMP decoding on any bytes: no read past the file, no write past the texel
// buffer, and no allocation a header merely asks for.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "model/bmp.h"

namespace {

// Small enough to keep the fuzzer fast, large enough for every real texture here.
constexpr std::size_t kFuzzMaxTexelBytes = std::size_t{256} << 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = size > 0 ? fmemopen(const_cast<uint8_t*>(data), size, "rb")
                             : std::fopen("/dev/null", "rb");
  if (file == nullptr) return 0;
  BmpImage image{};
  DecodeBmp(file, image, kFuzzMaxTexelBytes);
  std::fclose(file);

  if (image.texelsMade) {
    const std::size_t expected =
        std::size_t(image.width) * std::size_t(image.height) * 4;
    if (image.width <= 0 || image.height <= 0 || image.texels.size() != expected ||
        expected > kFuzzMaxTexelBytes) {
      std::abort();
    }
  }
  return 0;
}
