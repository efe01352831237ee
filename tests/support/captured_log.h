#pragma once
// The progress text captured for as long as a CapturedLog lives. A load can
// write hundreds of megabytes of it, so only the first kHeadSize and the last
// kTailSize bytes are kept, with the size and the number of CR LF line ends.
// How the text reaches the capture differs by system: captured_log_posix.cpp
// and captured_log_windows.cpp.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class CapturedLog {
 public:
  static constexpr std::size_t kHeadSize = std::size_t{4} << 20;
  static constexpr std::size_t kTailSize = std::size_t{1} << 16;

  CapturedLog();
  ~CapturedLog();
  CapturedLog(const CapturedLog&) = delete;
  CapturedLog& operator=(const CapturedLog&) = delete;

  // Each hands over what LogWrite still holds first.
  std::string Text();  // the whole text; a failure when it was longer than kHeadSize
  const std::string& Head();
  std::string Tail();
  uint64_t Bytes();
  uint64_t LineEnds();

  void Take(const char* data, std::size_t size);  // called by the stream

 private:
  void Attach();   // opens stream_ and hands it to the log
  void Collect();  // hands over what LogWrite and the stream still hold
  void Detach();

  std::FILE* stream_ = nullptr;
  std::string path_;  // the file the stream writes, where it is one
  std::string head_;
  std::string tail_;
  uint64_t bytes_ = 0;
  uint64_t lineEnds_ = 0;
  bool lastWasCr_ = false;
};
