// Another build of the viewer (VIEWER_COMMAND: tools/test-windows.sh puts
// viewer.exe under Wine there) against the Linux build, each run by this test
// on the same files: the same progress text byte for byte and the same
// picture at start, on the sample model, on the tests' account model and on
// a copy of that with CR LF line ends and lines holding the byte 0x1A.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/display_test.h"

namespace {

using AnotherBuild = DisplayTest;

TEST_F(AnotherBuild, WritesAndShowsWhatTheLinuxBuildDoes) {
  if (ViewerIsLinuxBuild()) GTEST_SKIP() << "compares another build (VIEWER_COMMAND) with this one";
  // Windows reading in text mode would drop the CRs and end the file at 0x1A.
  const std::string crlf = scratch + "/crlf";
  std::filesystem::create_directory(crlf);
  for (const std::string name : {"enterprise.obj", "enterprise.mtl"}) {
    std::string text = ReadWholeFile(READER_TEST_DATA "/account/" + name);
    if (name == "enterprise.obj") text.insert(text.find("\nvn ") + 1, "v 1 \x1a 2\n\x1a\n");
    std::string withCrLf;
    for (char c : text) withCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile(crlf + "/" + name, withCrLf);
  }

  for (const std::string& directory : {SampleModelDirectory(), std::string(READER_TEST_DATA "/account"), crlf}) {
    SCOPED_TRACE(directory);
    const bool shows = directory == SampleModelDirectory();  // the account models show black
    const ViewerRun linux = RunUntilEscape(directory, true, shows);
    const ViewerRun other = RunUntilEscape(directory, false, shows);
    EXPECT_EQ(linux.status, 0);
    EXPECT_EQ(other.status, 0);
    const auto difference = std::mismatch(linux.progress.begin(), linux.progress.end(), other.progress.begin(),
                                          other.progress.end());
    EXPECT_TRUE(linux.progress == other.progress)
        << "the progress text differs from byte " << difference.first - linux.progress.begin() << " of "
        << linux.progress.size() << " on: " << other.progress.substr(difference.second - other.progress.begin(), 80);
    EXPECT_EQ(other.picture.width, 640);
    EXPECT_EQ(other.picture.height, 480);
    EXPECT_LE(DifferentPixels(linux.picture, other.picture), linux.picture.rgb.size() / 100)
        << "the picture at start differs from the Linux build's";
  }
}

}  // namespace
