#include "tests/hostile/loader_test_support.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

#include "platform/log.h"
#include "tests/hostile/stand_in_upload.h"

namespace {

std::atomic<std::size_t> largestAllocation{0};

void* Allocate(std::size_t size) {
  std::size_t seen = largestAllocation.load(std::memory_order_relaxed);
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

ssize_t WriteToTail(void* cookie, const char* data, size_t size) {
  static_cast<ProgressTail*>(cookie)->Take(data, size);
  return static_cast<ssize_t>(size);
}

}  // namespace

// Every allocation of this test program passes here, so a test can tell how
// much memory a hostile header made the loader ask for.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

void StartWatchingAllocations() { largestAllocation.store(0); }
std::size_t LargestAllocation() { return largestAllocation.load(); }

void HostileLoad::SetUp() {
  previous_ = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "viewer-hostile-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  scratch_ = pattern;
  chmod(scratch_.c_str(), 0755);
  std::filesystem::current_path(scratch_);
}

void HostileLoad::TearDown() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(scratch_, ignored);
}

std::unique_ptr<GuardedModel> MakeGuardedModel() {
  auto guarded = std::make_unique<GuardedModel>();
  std::memset(guarded->before, GuardedModel::kGuardByte, GuardedModel::kGuardSize);
  std::memset(&guarded->model, 0, sizeof(Model));
  std::memset(guarded->after, GuardedModel::kGuardByte, GuardedModel::kGuardSize);
  return guarded;
}

bool GuardsIntact(const GuardedModel& guarded) {
  for (std::size_t i = 0; i < GuardedModel::kGuardSize; ++i) {
    if (guarded.before[i] != GuardedModel::kGuardByte || guarded.after[i] != GuardedModel::kGuardByte) return false;
  }
  return true;
}

bool AllZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
}

void ExpectSoundRecord(const GuardedModel& guarded, int32_t expectedLastFace) {
  const Model& model = guarded.model;
  EXPECT_TRUE(GuardsIntact(guarded)) << "a write outside the record";
  EXPECT_TRUE(AllZero(&model.vertices[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.normals[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model.texCoords[0], sizeof(Vec2)));
  EXPECT_EQ(model.lastFace, expectedLastFace);
  const uint32_t lastName = kFirstStandInTexture + static_cast<uint32_t>(HandedImages().size());
  int broken = 0;
  for (int32_t i = 0; i < kFaceCapacity; ++i) {
    const Face& face = model.faces[i];
    if (i > model.lastFace) {
      if (!AllZero(&face, sizeof face)) ++broken;
      continue;
    }
    if (face.cornerCount < 0 || face.cornerCount > kCornerCapacity) {
      ++broken;
      continue;
    }
    for (int32_t corner = face.cornerCount; corner < kCornerCapacity; ++corner) {
      if (face.vertexIndex[corner] != 0 || face.normalIndex[corner] != 0 || face.texCoordIndex[corner] != 0) ++broken;
    }
    if (face.texture != 0 && (face.texture < kFirstStandInTexture || face.texture >= lastName)) ++broken;
  }
  EXPECT_EQ(broken, 0) << "faces that break the record's invariants";
}

ProgressTail::ProgressTail() {
  stream_ = fopencookie(this, "w", cookie_io_functions_t{nullptr, WriteToTail, nullptr, nullptr});
  LogSetStream(stream_);
}

ProgressTail::~ProgressTail() {
  LogSetStream(stdout);
  std::fclose(stream_);
}

void ProgressTail::Take(const char* data, std::size_t size) {
  if (head_.size() < kKeep) head_.append(data, std::min(size, kKeep - head_.size()));
  const std::size_t recent = std::min(size, kKeep);
  tail_.append(data + size - recent, recent);
  if (tail_.size() > 2 * kKeep) tail_.erase(0, tail_.size() - kKeep);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' && lastWasCr_) ++lineEnds_;
    lastWasCr_ = data[i] == '\r';
  }
  bytes_ += size;
}

const std::string& ProgressTail::Head() {
  LogFlush();
  return head_;
}

const std::string& ProgressTail::Tail() {
  LogFlush();
  if (tail_.size() > kKeep) tail_.erase(0, tail_.size() - kKeep);
  return tail_;
}

uint64_t ProgressTail::Bytes() {
  LogFlush();
  return bytes_;
}

uint64_t ProgressTail::LineEnds() {
  LogFlush();
  return lineEnds_;
}

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

CapturedStderr::CapturedStderr(const std::string& path) : path_(path) {
  std::fflush(stderr);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  saved_ = dup(STDERR_FILENO);
  dup2(fd, STDERR_FILENO);
  close(fd);
}

CapturedStderr::~CapturedStderr() {
  std::fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
}

std::string CapturedStderr::Text() {
  std::fflush(stderr);
  std::ifstream in(path_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
