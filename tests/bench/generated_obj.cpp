#include "tests/bench/generated_obj.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

// A fixed-seed generator, so every run reads the same bytes.
struct Random {
  uint64_t state = 0x9E3779B97F4A7C15u;
  uint32_t Next() {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state >> 33);
  }
  // A value in [low, high) with six decimals' worth of resolution.
  double Between(double low, double high) { return low + (high - low) * (Next() / 2147483648.0); }
};

constexpr int kVerticesPerPatch = 100;
constexpr int kPatchColumns = 10;  // the patch is a 10 x 10 grid of vertices
constexpr int kFacesPerMaterial = 250;
constexpr const char* kMaterials[] = {"hull", "saucer", "nacelle", "neck", "deflector", "rim"};

struct Writer {
  std::FILE* file;
  std::size_t written = 0;
  void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

void Writer::Line(const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (length > 0) written += std::fwrite(text, 1, static_cast<std::size_t>(length), file);
}

// One grid patch: its vertices, normals and texture coordinates, then two
// triangles per grid cell, each corner naming the same element of all three.
void WritePatch(Writer& out, Random& random, int64_t firstIndex, int64_t& faceCount, int patch) {
  if (patch % 20 == 0) {
    out.Line("# patch %d\n", patch);
    out.Line("o part%d\n", patch / 20);
  }
  out.Line("g patch%d\n", patch);
  for (int i = 0; i < kVerticesPerPatch; ++i) {
    out.Line("v %.6f %.6f %.6f\n", random.Between(-20, 20), random.Between(-20, 20), random.Between(-20, 20));
  }
  for (int i = 0; i < kVerticesPerPatch; ++i) {
    out.Line("vn %.6f %.6f %.6f\n", random.Between(-1, 1), random.Between(-1, 1), random.Between(-1, 1));
  }
  for (int i = 0; i < kVerticesPerPatch; ++i) out.Line("vt %.6f %.6f\n", random.Between(0, 1), random.Between(0, 1));
  out.Line("s %d\n", patch % 2 == 0 ? 1 : 0);
  for (int row = 0; row + 1 < kPatchColumns; ++row) {
    for (int column = 0; column + 1 < kPatchColumns; ++column) {
      const int64_t a = firstIndex + row * kPatchColumns + column;
      const int64_t b = a + 1;
      const int64_t c = a + kPatchColumns;
      const int64_t d = c + 1;
      const int64_t corners[2][3] = {{a, b, d}, {a, d, c}};
      for (const auto& triangle : corners) {
        if (faceCount % kFacesPerMaterial == 0) {
          out.Line("usemtl %s\n", kMaterials[(faceCount / kFacesPerMaterial) % 6]);
        }
        out.Line("f %lld/%lld/%lld %lld/%lld/%lld %lld/%lld/%lld\n",  //
                 static_cast<long long>(triangle[0]), static_cast<long long>(triangle[0]),
                 static_cast<long long>(triangle[0]), static_cast<long long>(triangle[1]),
                 static_cast<long long>(triangle[1]), static_cast<long long>(triangle[1]),
                 static_cast<long long>(triangle[2]), static_cast<long long>(triangle[2]),
                 static_cast<long long>(triangle[2]));
        ++faceCount;
      }
    }
  }
}

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool WriteGeneratedObj(const std::string& path, std::size_t byteCount) {
  std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  Writer out{file.get()};
  Random random;
  int64_t faceCount = 0;
  out.Line("# generated model for the loading benchmark\n");
  for (int patch = 0; out.written < byteCount; ++patch) {
    WritePatch(out, random, 1 + static_cast<int64_t>(patch) * kVerticesPerPatch, faceCount, patch);
  }
  return std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
}
