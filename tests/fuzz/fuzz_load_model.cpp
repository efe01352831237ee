// Loading a model from any bytes, through the real readers: the input holds
// the model file, the material library and one texture file, separated by a
// line of five equals signs. The library names the texture as t.bmp. The
// texture stand-in decodes it as LoadTexture would, without OpenGL.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "tests/support/files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

constexpr std::string_view kSeparator = "\n=====\n";

Model model;

std::string_view TakePart(std::string_view& rest) {
  const std::size_t end = rest.find(kSeparator);
  std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kSeparator.size());
  return part;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Each harness process works in a directory of its own, in memory where possible.
  std::string dir = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
  dir += "/fuzz_load_model.XXXXXX";
  if (mkdtemp(dir.data()) == nullptr || chdir(dir.c_str()) != 0) std::abort();
  LogSetStream(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  WriteFile("enterprise.obj", TakePart(rest));
  WriteFile("enterprise.mtl", TakePart(rest));
  WriteFile("t.bmp", rest);

  std::memset(&model, 0, sizeof model);
  HandedImages().clear();
  LoadModel("enterprise.obj", model, StandInTexture);

  // A decoded image holds texels exactly for a whole buffer of positive sizes.
  for (const HandedImage& image : HandedImages()) {
    Check(!image.texelsMade || image.texelBytes == std::size_t(image.width) * std::size_t(image.height) * 4);
  }

  // Entry 0 of every array stays zero, and nothing is stored past the capacities.
  Check(AllZero(&model.vertices[0], sizeof model.vertices[0]));
  Check(AllZero(&model.normals[0], sizeof model.normals[0]));
  Check(AllZero(&model.texCoords[0], sizeof model.texCoords[0]));
  Check(model.lastFace >= -1 && model.lastFace < kFaceCapacity);
  for (int i = 0; i <= model.lastFace; ++i)
    Check(model.faces[i].cornerCount >= 0 && model.faces[i].cornerCount <= kCornerCapacity);
  for (int i = model.lastFace + 1; i < kFaceCapacity; ++i)
    Check(AllZero(&model.faces[i], sizeof model.faces[i]));
  return 0;
}
