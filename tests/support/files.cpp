#include "tests/support/files.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::string MakeTempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "viewer-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return std::string();
  return pattern;
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
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
  previous_ = std::filesystem::current_path().string();
  scratch = MakeTempDirectory();
  ASSERT_FALSE(scratch.empty());
  chmod(scratch.c_str(), 0755);
  std::filesystem::current_path(scratch);
}

void InScratchDirectory::TearDown() {
  if (!previous_.empty()) std::filesystem::current_path(previous_);
  RemoveTree(scratch);
}
