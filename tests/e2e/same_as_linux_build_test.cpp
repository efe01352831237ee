// Another build of the viewer (VIEWER_COMMAND: tools/test-windows.sh puts
// viewer.exe under Wine there) against the Linux build, each run by this test
// on the same files: the same progress text byte for byte and the same
// picture at start, on the sample model, on the tests' account model, on
// a copy of that with CR LF line ends and lines holding the byte 0x1A, and on
// a textured square whose directory and texture are named in non-ASCII UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/bmp_files.h"
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

  // Windows would take the name's bytes in its ANSI code page and find no file.
  const std::string named = scratch + "/m\xC3\xB6" "del-\xD0\xB4\xD0\xBE\xD0\xBC";  // mödel-дом
  std::filesystem::create_directory(named);
  WriteFile(named + "/enterprise.mtl", "newmtl skin\nKd 1 1 1\nmap_Kd t\xC3\xABx.bmp\n");  // tëx.bmp
  WriteFile(named + "/t\xC3\xABx.bmp", BmpFile(1, 1, {{0x20, 0x40, 0xE0}}));
  WriteFile(named + "/enterprise.obj",
            "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvn 0 0 -1\nusemtl skin\nf 1/1/1 2/1/1 3/1/1 4/1/1\n");

  for (const std::string& directory : {SampleModelDirectory(), std::string(READER_TEST_DATA "/account"), crlf, named}) {
    SCOPED_TRACE(directory);
    const bool shows = directory == SampleModelDirectory() || directory == named;  // the account models show black
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
