#pragma once
// Scratch directories and whole files, for tests that hand the code files.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

// A new empty directory under the system's temporary directory; "" on failure.
std::string MakeTempDirectory();
void RemoveTree(const std::string& path);

std::string ReadWholeFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes);

bool EndsWith(std::string_view text, std::string_view ending);

// Runs each test in a fresh directory of its own, as the viewer runs in the
// model's directory: file names in a library are relative to it. Others may
// read it, so a program run without root's rights still reaches it.
class InScratchDirectory : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string scratch;  // the directory, an absolute path

 private:
  std::string previous_;
};
