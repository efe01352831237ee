// The progress text's buffer: bytes unchanged, CR LF line ends, handed over
// on LogFlush, and nothing more after a write that fails.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/log.h"
#include "tests/support/files.h"

namespace {

// The log writes to a file, through a stream buffered as standard output is
// when it goes to a file or a pipe. The file can be made to refuse writes, as
// a reader that went away or a full disk does, and to take them again.
class Log : public InScratchDirectory {
 protected:
  void SetUp() override {
    InScratchDirectory::SetUp();
    stream = std::fopen(kPath, "wb");
    ASSERT_NE(stream, nullptr);
    LogSetStream(stream);
  }
  void TearDown() override {
    LogSetStream(nullptr);
    std::fclose(stream);
    InScratchDirectory::TearDown();
  }
  // The stream's descriptor swapped for one open for reading only, and back.
  void Refuse() {
    writable = dup(fileno(stream));
    const int readOnly = open(kPath, O_RDONLY);
    ASSERT_GE(dup2(readOnly, fileno(stream)), 0);
    close(readOnly);
  }
  void Accept() {
    ASSERT_GE(dup2(writable, fileno(stream)), 0);
    close(writable);
    std::clearerr(stream);
  }
  static std::string Written() { return ReadWholeFile(kPath); }

  static constexpr const char* kPath = "progress.txt";
  std::FILE* stream = nullptr;
  int writable = -1;
};

TEST_F(Log, GathersUntilFlushedAndEndsLinesWithCrLf) {
  std::setvbuf(stream, nullptr, _IONBF, 0);  // each write of the log reaches the file at once
  LogWrite("V [1]", false);
  LogWrite(std::string("\0\r\n", 3), true);
  LogWrite("", true);
  EXPECT_EQ(Written(), "") << "small pieces are gathered";
  LogFlush();
  EXPECT_EQ(Written(), std::string("V [1]\0\r\n\r\n\r\n", 12));

  // A piece larger than the buffer goes out after what was gathered before it.
  const std::string large(100000, 'x');
  LogWrite("a", false);
  LogWrite(large, false);
  LogWrite("b", false);
  LogFlush();
  EXPECT_TRUE(Written() == std::string("V [1]\0\r\n\r\n\r\n", 12) + "a" + large + "b");
}

// A write fails in the log's own large write, or when it flushes the stream.
TEST_F(Log, AfterAFailedWriteNothingMoreIsWritten) {
  for (bool failInFlush : {false, true}) {
    SCOPED_TRACE(failInFlush ? "failed in the flush" : "failed in a large write");
    ASSERT_EQ(std::freopen(kPath, "wb", stream), stream);
    LogSetStream(stream);
    LogWrite("first", true);
    LogFlush();
    Refuse();
    if (failInFlush) {
      LogWrite("refused", true);  // taken by the stream's buffer, refused when it is flushed
      LogFlush();
    } else {
      LogWrite(std::string(100000, 'z'), true);  // larger than both buffers: written at once
    }
    Accept();
    LogWrite("dropped", true);
    LogFlush();
    EXPECT_TRUE(Written() == "first\r\n") << Written().size() << " bytes written";
  }
}

}  // namespace
