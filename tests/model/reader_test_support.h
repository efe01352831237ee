#pragma once
// Test helpers for the readers: a private working directory, files written
// into it, and the progress text captured.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"
#include "platform/log.h"
#include "tests/texture/bmp_files.h"

// Runs each test in a fresh directory of its own, as the viewer runs in the
// model's directory: texture names in a library are relative to it.
class InScratchDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "viewer-readers-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = pattern;
    std::filesystem::current_path(scratch_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
  }

  std::filesystem::path previous_;
  std::filesystem::path scratch_;
};

inline void WriteFile(const std::string& name, std::string_view bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A 24-bit BMP of width x height grey pixels, rows a multiple of four bytes.
inline std::string SmallBmp(int32_t width, int32_t height) {
  const std::vector<uint8_t> header = BmpHeader(width, height);
  std::string bytes(header.begin(), header.end());
  bytes.append(static_cast<std::size_t>(width * height * 3), '\x80');
  return bytes;
}

// Sends progress text into memory for as long as it lives.
class CapturedLog {
 public:
  CapturedLog() {
    stream_ = open_memstream(&data_, &size_);
    LogSetStream(stream_);
  }
  ~CapturedLog() {
    LogSetStream(stdout);
    std::fclose(stream_);
    std::free(data_);
  }
  CapturedLog(const CapturedLog&) = delete;
  CapturedLog& operator=(const CapturedLog&) = delete;

  std::string Text() {
    LogFlush();
    return std::string(data_, size_);
  }

 private:
  std::FILE* stream_ = nullptr;
  char* data_ = nullptr;
  std::size_t size_ = 0;
};

// The record is about 300 KB: tests keep it on the heap, zeroed as the viewer does.
inline std::unique_ptr<Model> ZeroModel() {
  auto model = std::make_unique<Model>();
  std::memset(model.get(), 0, sizeof(Model));
  return model;
}

inline bool AllZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
}
