#include "tests/support/files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

std::string MakeTempDirectory() {
  // A name nobody holds: create_directory makes it only where none was.
  static std::mt19937 names(std::random_device{}());
  std::error_code error;
  const fs::path parent = fs::temp_directory_path(error);
  for (int attempt = 0; attempt < 100 && !error; ++attempt) {
    const fs::path path = parent / ("viewer-test-" + std::to_string(names()));
    if (fs::create_directory(path, error)) return path.string();
  }
  return std::string();
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) fs::remove_all(path, ignored);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool EndsWith(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

void InScratchDirectory::SetUp() {
  previous_ = fs::current_path().string();
  scratch = MakeTempDirectory();
  ASSERT_FALSE(scratch.empty());
  fs::permissions(scratch, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  fs::current_path(scratch);
}

void InScratchDirectory::TearDown() {
  if (!previous_.empty()) fs::current_path(previous_);
  RemoveTree(scratch);
}
