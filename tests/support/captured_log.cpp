#include "tests/support/captured_log.h"

#include <gtest/gtest.h>

#include <algorithm>

CapturedLog::CapturedLog() { Attach(); }

CapturedLog::~CapturedLog() { Detach(); }

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
  Collect();
  EXPECT_EQ(bytes_, head_.size()) << "the progress text is longer than a CapturedLog keeps whole";
  return head_;
}

const std::string& CapturedLog::Head() {
  Collect();
  return head_;
}

std::string CapturedLog::Tail() {
  Collect();
  return tail_.size() > kTailSize ? tail_.substr(tail_.size() - kTailSize) : tail_;
}

uint64_t CapturedLog::Bytes() {
  Collect();
  return bytes_;
}

uint64_t CapturedLog::LineEnds() {
  Collect();
  return lineEnds_;
}
