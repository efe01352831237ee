// The captured text arrives through a stream of our own, as it is written,
// so that no size of it needs room anywhere.
#include <stdio.h>

#include "platform/log.h"
#include "tests/support/captured_log.h"

namespace {

ssize_t WriteToLog(void* cookie, const char* data, size_t size) {
  static_cast<CapturedLog*>(cookie)->Take(data, size);
  return static_cast<ssize_t>(size);
}

}  // namespace

void CapturedLog::Attach() {
  stream_ = fopencookie(this, "w", cookie_io_functions_t{nullptr, WriteToLog, nullptr, nullptr});
  LogSetStream(stream_);
}

void CapturedLog::Collect() { LogFlush(); }

void CapturedLog::Detach() {
  LogSetStream(stdout);
  std::fclose(stream_);
}
