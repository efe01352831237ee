// Windows has no stream that calls back: the text goes to a scratch file and
// is read back from where Take stopped whenever the test asks for it.
#include <stdio.h>

#include <filesystem>

#include "platform/log.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"

void CapturedLog::Attach() {
  path_ = MakeTempDirectory() + "/progress.txt";
  stream_ = std::fopen(path_.c_str(), "w+b");
  LogSetStream(stream_);
}

void CapturedLog::Collect() {
  LogFlush();
  if (stream_ == nullptr) return;
  char block[1 << 16];
  _fseeki64(stream_, static_cast<long long>(bytes_), SEEK_SET);
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, stream_)) > 0;) Take(block, got);
  _fseeki64(stream_, 0, SEEK_END);  // a write may follow a read only after a seek
}

void CapturedLog::Detach() {
  LogSetStream(stdout);
  if (stream_ != nullptr) std::fclose(stream_);
  RemoveTree(std::filesystem::path(path_).parent_path().string());
}
