#pragma once
// The progress text captured for as long as a CapturedLog lives. A load can
// write hundreds of megabytes of it, so only the first kHeadSize and the last
// kTailSize bytes are kept, with the size and the number of CR LF line ends.
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
  std::FILE* stream_ = nullptr;
  std::string head_;
  std::string tail_;
  uint64_t bytes_ = 0;
  uint64_t lineEnds_ = 0;
  bool lastWasCr_ = false;
};
