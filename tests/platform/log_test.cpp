// The progress text's buffer: bytes unchanged, CR LF line ends, handed over
// on LogFlush, and nothing more after a write that fails.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "platform/log.h"

namespace {

// A stream that keeps what it is given, refusing every write once failing is set.
struct Sink {
  std::string text;
  int writes = 0;
  bool failing = false;
};

ssize_t WriteToSink(void* cookie, const char* data, size_t size) {
  Sink& sink = *static_cast<Sink*>(cookie);
  ++sink.writes;
  if (sink.failing) return -1;
  sink.text.append(data, size);
  return static_cast<ssize_t>(size);
}

// Buffered, as standard output is when it goes to a file or a pipe.
std::FILE* OpenSink(Sink& sink) {
  return fopencookie(&sink, "w", cookie_io_functions_t{nullptr, WriteToSink, nullptr, nullptr});
}

TEST(Log, GathersUntilFlushedAndEndsLinesWithCrLf) {
  Sink sink;
  std::FILE* stream = OpenSink(sink);
  LogSetStream(stream);
  LogWrite("V [1]", false);
  LogWrite(std::string("\0\r\n", 3), true);
  LogWrite("", true);
  EXPECT_EQ(sink.writes, 0) << "small pieces are gathered";
  LogFlush();
  EXPECT_EQ(sink.text, std::string("V [1]\0\r\n\r\n\r\n", 12));

  // A piece larger than the buffer goes out after what was gathered before it.
  const std::string large(100000, 'x');
  LogWrite("a", false);
  LogWrite(large, false);
  LogWrite("b", false);
  LogFlush();
  EXPECT_TRUE(sink.text == std::string("V [1]\0\r\n\r\n\r\n", 12) + "a" + large + "b");
  LogSetStream(nullptr);
  std::fclose(stream);
}

// A write fails in the log's own large write, or when it flushes the stream.
TEST(Log, AfterAFailedWriteNothingMoreIsWritten) {
  for (bool failInFlush : {false, true}) {
    SCOPED_TRACE(failInFlush ? "failed in the flush" : "failed in a large write");
    Sink sink;
    std::FILE* stream = OpenSink(sink);
    LogSetStream(stream);
    LogWrite("first", true);
    LogFlush();
    sink.failing = true;
    if (failInFlush) {
      LogWrite("refused", true);
      LogFlush();
    } else {
      LogWrite(std::string(100000, 'z'), true);  // larger than both buffers: written at once
    }
    sink.failing = false;
    const int writesAfterFailure = sink.writes;
    LogWrite("dropped", true);
    LogFlush();
    EXPECT_TRUE(sink.text == "first\r\n") << sink.text.size() << " bytes written";
    EXPECT_EQ(sink.writes, writesAfterFailure) << "the log wrote to a stream that had failed";
    LogSetStream(nullptr);
    std::fclose(stream);
  }
}

}  // namespace
