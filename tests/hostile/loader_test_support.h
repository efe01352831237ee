#pragma once
// Helpers for loading hostile files without a display: a private working
// directory, the record between guard regions, its invariants, progress text
// kept by its ends and its size (it can run to hundreds of megabytes), and
// standard error captured.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "model/model.h"

// Each test runs in a fresh directory of its own, as the viewer runs in the
// model's directory. Others may read it, so a test that drops its privileges
// still reaches it.
class HostileLoad : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string scratch_;
  std::string previous_;
};

// The record between two guard regions: a write past either end shows.
struct GuardedModel {
  static constexpr std::size_t kGuardSize = 4096;
  static constexpr unsigned char kGuardByte = 0xA5;
  unsigned char before[kGuardSize];
  Model model;
  unsigned char after[kGuardSize];
};
std::unique_ptr<GuardedModel> MakeGuardedModel();
bool GuardsIntact(const GuardedModel& guarded);

bool AllZero(const void* bytes, std::size_t size);

// What a loaded record must hold however broken its file: entry 0 of every
// kind zero, lastFace as expected, corner counts within a face, corners past
// the count and faces past lastFace untouched, textures that the stand-in
// upload handed out or none.
void ExpectSoundRecord(const GuardedModel& guarded, int32_t expectedLastFace);

// Keeps the first and last kKeep bytes of the progress text, its size and its
// number of line ends, for as long as it lives.
class ProgressTail {
 public:
  static constexpr std::size_t kKeep = 1 << 16;
  ProgressTail();
  ~ProgressTail();
  ProgressTail(const ProgressTail&) = delete;
  ProgressTail& operator=(const ProgressTail&) = delete;

  // Hands buffered progress text over first.
  const std::string& Head();
  const std::string& Tail();
  uint64_t Bytes();
  uint64_t LineEnds();

  // Called by the stream.
  void Take(const char* data, std::size_t size);

 private:
  std::FILE* stream_ = nullptr;
  std::string head_;
  std::string tail_;
  uint64_t bytes_ = 0;
  uint64_t lineEnds_ = 0;
  bool lastWasCr_ = false;
};

bool EndsWith(const std::string& text, const std::string& ending);

// Standard error of this process goes to a file for as long as it lives.
class CapturedStderr {
 public:
  explicit CapturedStderr(const std::string& path);
  ~CapturedStderr();
  CapturedStderr(const CapturedStderr&) = delete;
  CapturedStderr& operator=(const CapturedStderr&) = delete;
  std::string Text();

 private:
  std::string path_;
  int saved_ = -1;
};

// The largest single request that operator new saw since the last call of
// StartWatchingAllocations.
void StartWatchingAllocations();
std::size_t LargestAllocation();
