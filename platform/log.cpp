#include "platform/log.h"

#include <cstring>

namespace {

// Progress text is gathered here and handed to the stream in large writes:
// a model of a million lines writes many millions of small pieces.
constexpr std::size_t kBufferSize = 1 << 16;
char buffer[kBufferSize];
std::size_t buffered = 0;
std::FILE* stream = stdout;

// A stream that refuses a write (a reader that went away, a full disk) gets
// no more: the rest of the account is dropped and the viewer goes on.
void WriteOut(const char* data, std::size_t size) {
  if (stream == nullptr || size == 0) return;
  if (std::fwrite(data, 1, size, stream) != size) stream = nullptr;
}

void Append(const char* data, std::size_t size) {
  if (size == 0) return;  // an empty view may carry no data pointer at all
  if (buffered + size > kBufferSize) {
    WriteOut(buffer, buffered);
    buffered = 0;
    if (size > kBufferSize) {  // a piece larger than the buffer goes straight out
      WriteOut(data, size);
      return;
    }
  }
  std::memcpy(buffer + buffered, data, size);
  buffered += size;
}

}  // namespace

void LogWrite(std::string_view text, bool lineEnd) {
  Append(text.data(), text.size());
  if (lineEnd) Append("\r\n", 2);
}

void LogFlush() {
  WriteOut(buffer, buffered);
  buffered = 0;
  if (stream != nullptr && std::fflush(stream) != 0) stream = nullptr;
}

void LogSetStream(std::FILE* newStream) {
  LogFlush();
  stream = newStream;
}
