#include "app/load_report.h"

#include <filesystem>
#include <system_error>

namespace {

bool IsBlack(const Face& face) {
  return face.texture == 0 && face.red == 0.0f && face.green == 0.0f && face.blue == 0.0f;
}

// "1 face has", "2 faces have": the singular or the plural of a count.
std::string Counted(int64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

LoadReport ReportLoadProblems(const std::string& fileName, const std::string& directory, const Model& model,
                              const LoadSummary& summary) {
  LoadReport report{"", false};
  if (!summary.modelOpened) {
    std::error_code error;
    if (std::filesystem::exists(fileName, error)) {
      report.lines = "viewer: " + fileName + " in " + directory + " is no readable file; the window stays empty\n";
    } else {
      report.lines = "viewer: no " + fileName + " in " + directory + "; the window stays empty\n";
    }
    return report;
  }

  int64_t skipped = 0;
  int64_t firstSkippedLine = 0;
  int64_t fewCorners = 0;
  int64_t firstFewCornersLine = 0;
  int64_t black = 0;
  for (int32_t i = 0; i <= model.lastFace; ++i) {
    const Face& face = model.faces[i];
    if (!FaceStaysInRecord(face)) {
      if (skipped++ == 0) firstSkippedLine = summary.faceLines[i];
    } else if (face.cornerCount < 3) {
      // A point or a line is no surface: the renderer draws nothing for it.
      if (fewCorners++ == 0) firstFewCornersLine = summary.faceLines[i];
    } else if (IsBlack(face)) {
      ++black;
    } else {
      report.somethingShows = true;
    }
  }
  if (skipped > 0) {
    report.lines += "viewer: " + Counted(skipped, "face is", "faces are") + " not drawn: " +
                    (skipped == 1 ? "it uses" : "they use") +
                    " a vertex, normal or texture coordinate number outside 0.." + std::to_string(kLastEntry) +
                    " (negative, relative or too large); the first is on line " + std::to_string(firstSkippedLine) +
                    " of " + fileName + "\n";
  }
  if (fewCorners > 0) {
    report.lines += "viewer: " + Counted(fewCorners, "face has", "faces have") +
                    " fewer than three corners and " + (fewCorners == 1 ? "is" : "are") +
                    " not drawn; the first is on line " + std::to_string(firstFewCornersLine) + " of " + fileName +
                    "\n";
  }
  if (black > 0) {
    report.lines += "viewer: " + Counted(black, "face has", "faces have") +
                    " no material colour or texture (no usemtl before " + (black == 1 ? "it" : "them") +
                    ", or one that names no material of the library); " + (black == 1 ? "it is" : "they are") +
                    " drawn black on the black background\n";
  }
  if (summary.capacityExceeded) {
    report.lines += "viewer: the model holds more than the viewer can; the picture shows only what fitted\n";
  }
  return report;
}
