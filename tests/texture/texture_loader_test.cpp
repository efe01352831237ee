// LoadTexture with a stand-in for the upload: what it writes, and what it
// hands on, for files it can and cannot open.
#include "model/texture_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/log.h"
#include "tests/texture/bmp_files.h"
#include "tests/texture/upload_recorder.h"

namespace {

// Captures the progress text written while it lives.
struct ProgressCapture {
  std::FILE* stream = std::tmpfile();
  ProgressCapture() { LogSetStream(stream); }
  ~ProgressCapture() {
    LogSetStream(stdout);
    std::fclose(stream);
  }
  std::string Text() {
    LogFlush();
    std::string text;
    std::rewind(stream);
    for (int c; (c = std::fgetc(stream)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }
};

TEST(LoadTexture, AFileThatCannotBeOpenedGivesTheMessageAndNoUpload) {
  TempDir dir;
  for (const std::string& name : {(dir.path / "x.bmp").string(), dir.path.string()}) {
    RecordedUploads().clear();
    ProgressCapture progress;
    EXPECT_EQ(LoadTexture(name), 0u);
    EXPECT_EQ(progress.Text(), "Cannot load texture file [" + name + "] \r\n");
    EXPECT_TRUE(RecordedUploads().empty());
  }
}

TEST(LoadTexture, AnEmptyFileIsUploadedAsAZeroSizedImage) {
  TempDir dir;
  std::string name = dir.Write("empty.bmp", {});
  RecordedUploads().clear();
  ProgressCapture progress;
  EXPECT_EQ(LoadTexture(name), StandInName(0));
  EXPECT_EQ(progress.Text(), "");
  ASSERT_EQ(RecordedUploads().size(), 1u);
  EXPECT_EQ(RecordedUploads()[0].width, 0);
  EXPECT_EQ(RecordedUploads()[0].height, 0);
  EXPECT_TRUE(RecordedUploads()[0].texelsMade);
}

TEST(LoadTexture, EveryCallUploadsAgainTheDecodedImage) {
  TempDir dir;
  std::string name = dir.Write("two.bmp", BmpFile(2, 1, {{1, 2, 3}, {0xFF, 0, 0xFF}}));
  RecordedUploads().clear();
  EXPECT_EQ(LoadTexture(name), StandInName(0));
  EXPECT_EQ(LoadTexture(name), StandInName(1));
  ASSERT_EQ(RecordedUploads().size(), 2u);
  for (const BmpImage& image : RecordedUploads()) {
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.texels, (std::vector<uint8_t>{0xFF, 0, 0xFF, 0, 1, 2, 3, 0xFF}));
  }
}

TEST(LoadTexture, ARefusedBufferIsReportedOnStandardErrorNotInTheProgressText) {
  TempDir dir;
  std::string name = dir.Write("huge.bmp", BmpHeader(65536, 65536));
  RecordedUploads().clear();
  ProgressCapture progress;
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadTexture(name), StandInName(0));
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(progress.Text(), "");
  EXPECT_EQ(errors,
            "viewer: texture file [" + name + "] asks for 65536 x 65536 pixels, too many; it is left without an image\n");
  ASSERT_EQ(RecordedUploads().size(), 1u);
  EXPECT_FALSE(RecordedUploads()[0].texelsMade);
  EXPECT_EQ(RecordedUploads()[0].width, 65536);
}

}  // namespace
