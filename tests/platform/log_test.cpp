// The progress text's buffer: bytes unchanged, CR LF line ends, handed over
// on LogFlush, and nothing more after a write that fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/log.h"
#include "tests/support/files.h"

namespace {

// A file the log writes through a stream without a buffer of its own, so
// that every write of the log reaches the file at once. The stream can be
// made to refuse writes and to take them again.
class Log : public InScratchDirectory {
 protected:
  void SetUp() override {
    InScratchDirectory::SetUp();
    stream = std::fopen(kPath, "wb");
    ASSERT_NE(stream, nullptr);
    std::setvbuf(stream, nullptr, _IONBF, 0);
    LogSetStream(stream);
  }
  void TearDown() override {
    LogSetStream(nullptr);
    std::fclose(stream);
    InScratchDirectory::TearDown();
  }
  // The same stream on the file again: "wb" empties it, "rb" refuses writes, "ab" takes them.
  void Reopen(const char* mode) {
    ASSERT_EQ(std::freopen(kPath, mode, stream), stream);
    std::setvbuf(stream, nullptr, _IONBF, 0);
  }
  static std::string Written() { return ReadWholeFile(kPath); }

  static constexpr const char* kPath = "progress.txt";
  std::FILE* stream = nullptr;
};

TEST_F(Log, GathersUntilFlushedAndEndsLinesWithCrLf) {
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
    Reopen("wb");
    LogSetStream(stream);
    LogWrite("first", true);
    LogFlush();
    Reopen("rb");
    if (failInFlush) {
      LogWrite("refused", true);
      LogFlush();
    } else {
      LogWrite(std::string(100000, 'z'), true);  // larger than both buffers: written at once
    }
    Reopen("ab");
    LogWrite("dropped", true);
    LogFlush();
    EXPECT_TRUE(Written() == "first\r\n") << Written().size() << " bytes written";
  }
}

}  // namespace
