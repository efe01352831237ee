// Loading a model from any bytes, through the real readers: the input holds
// the model file, the material library and one texture file, separated by a
// line of five equals signs. The library names the texture as t.bmp.
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

namespace {

constexpr std::string_view kSeparator = "\n=====\n";

Model model;

void WriteFile(const char* name, std::string_view bytes) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string_view TakePart(std::string_view& rest) {
  const std::size_t end = rest.find(kSeparator);
  std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kSeparator.size());
  return part;
}

bool IsZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
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
  LoadModel("enterprise.obj", model);

  // Entry 0 of every array stays zero, and nothing is stored past the capacities.
  Check(IsZero(&model.vertices[0], sizeof model.vertices[0]));
  Check(IsZero(&model.normals[0], sizeof model.normals[0]));
  Check(IsZero(&model.texCoords[0], sizeof model.texCoords[0]));
  Check(model.lastFace >= -1 && model.lastFace < kFaceCapacity);
  for (int i = 0; i <= model.lastFace; ++i)
    Check(model.faces[i].cornerCount >= 0 && model.faces[i].cornerCount <= kCornerCapacity);
  for (int i = model.lastFace + 1; i < kFaceCapacity; ++i)
    Check(IsZero(&model.faces[i], sizeof model.faces[i]));
  return 0;
}
