#include "tests/support/captured_log.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>

#include "platform/log.h"

namespace {

ssize_t WriteToLog(void* cookie, const char* data, size_t size) {
  static_cast<CapturedLog*>(cookie)->Take(data, size);
  return static_cast<ssize_t>(size);
}

}  // namespace

CapturedLog::CapturedLog() {
  stream_ = fopencookie(this, "w", cookie_io_functions_t{nullptr, WriteToLog, nullptr, nullptr});
  LogSetStream(stream_);
}

CapturedLog::~CapturedLog() {
  LogSetStream(stdout);
  std::fclose(stream_);
}

void CapturedLog::Take(const char* data, std::size_t size) {
  if (head_.size() < kHeadSize) head_.append(data, std::min(size, kHeadSize - head_.size()));
  const std::size_t recent = std::min(size, kTailSize);
  tail_.append(data + size - recent, recent);
  if (tail_.size() > 2 * kTailSize) tail_.erase(0, tail_.size() - kTailSize);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' && lastWasCr_) ++lineEnds_;
    lastWasCr_ = data[i] == '\r';
  }
  bytes_ += size;
}

std::string CapturedLog::Text() {
  LogFlush();
  EXPECT_EQ(bytes_, head_.size()) << "the progress text is longer than a CapturedLog keeps whole";
  return head_;
}

const std::string& CapturedLog::Head() {
  LogFlush();
  return head_;
}

std::string CapturedLog::Tail() {
  LogFlush();
  return tail_.size() > kTailSize ? tail_.substr(tail_.size() - kTailSize) : tail_;
}

uint64_t CapturedLog::Bytes() {
  LogFlush();
  return bytes_;
}

uint64_t CapturedLog::LineEnds() {
  LogFlush();
  return lineEnds_;
}
