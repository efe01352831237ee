#include "app/load_report.h"

#include <cinttypes>
#include <filesystem>
#include <system_error>

#include "render/model_renderer.h"

namespace {

bool IsBlack(const Face& face) {
  return face.texture == 0 && face.red == 0.0f && face.green == 0.0f && face.blue == 0.0f;
}

}  // namespace

void ReportLoadProblems(const std::string& fileName, const std::string& directory, const Model& model,
                        const LoadSummary& summary, std::FILE* out) {
  if (!summary.modelOpened) {
    std::error_code error;
    if (std::filesystem::exists(fileName, error)) {
      std::fprintf(out, "viewer: %s in %s is no readable file; the window stays empty\n", fileName.c_str(),
                   directory.c_str());
    } else {
      std::fprintf(out, "viewer: no %s in %s; the window stays empty\n", fileName.c_str(), directory.c_str());
    }
    return;
  }

  int64_t skipped = 0;
  int64_t firstSkippedLine = 0;
  int64_t black = 0;
  for (int32_t i = 0; i <= model.lastFace; ++i) {
    const Face& face = model.faces[i];
    if (!FaceStaysInRecord(face)) {
      if (skipped++ == 0) firstSkippedLine = summary.faceLines[i];
    } else if (face.cornerCount > 0 && IsBlack(face)) {
      ++black;
    }
  }
  if (skipped > 0) {
    std::fprintf(out,
                 "viewer: %" PRId64 " %s not drawn: %s a vertex, normal or texture coordinate number outside "
                 "0..%d (negative, relative or too large); the first is on line %" PRId64 " of %s\n",
                 skipped, skipped == 1 ? "face is" : "faces are", skipped == 1 ? "it uses" : "they use", kLastEntry,
                 firstSkippedLine, fileName.c_str());
  }
  if (black > 0) {
    std::fprintf(out,
                 "viewer: %" PRId64 " %s no material colour or texture (no usemtl before %s, or one that names "
                 "no material of the library); %s drawn black on the black background\n",
                 black, black == 1 ? "face has" : "faces have", black == 1 ? "it" : "them",
                 black == 1 ? "it is" : "they are");
  }
  if (summary.capacityExceeded) {
    std::fprintf(out, "viewer: the model holds more than the viewer can; the picture shows only what fitted\n");
  }
}
