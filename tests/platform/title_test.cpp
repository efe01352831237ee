// The window's caption from the program file's path. The path itself comes
// from the layer; the e2e caption test runs the viewer from a long one.
#include <gtest/gtest.h>

#include "platform/title.h"

namespace {

TEST(Title, BaseNameCutAtItsLastFullStop) {
  EXPECT_EQ(TitleFromPath("/usr/local/bin/viewer", "/"), "viewer");
  EXPECT_EQ(TitleFromPath("/opt/viewer.bin", "/"), "viewer");
  EXPECT_EQ(TitleFromPath("/opt/my.viewer.bin", "/"), "my.viewer");
  EXPECT_EQ(TitleFromPath("viewer", "/"), "viewer");
  EXPECT_EQ(TitleFromPath("name.", "/"), "name");
}

TEST(Title, FullStopsInDirectoriesDoNotCount) {
  EXPECT_EQ(TitleFromPath("/home/a.b/build.release/viewer", "/"), "viewer");
  EXPECT_EQ(TitleFromPath("./viewer", "/"), "viewer");
}

TEST(Title, AnyOfTheSeparatorsEndsADirectory) {
  EXPECT_EQ(TitleFromPath("C:\\a.b\\bin/viewer.exe", "\\/"), "viewer");
  EXPECT_EQ(TitleFromPath("C:\\a.b/bin\\viewer.exe", "\\/"), "viewer");
  EXPECT_EQ(TitleFromPath("C:\\bin\\viewer.exe", "/"), "C:\\bin\\viewer");
}

TEST(Title, DegenerateNamesGiveShortTitles) {
  EXPECT_EQ(TitleFromPath("", "/"), "");
  EXPECT_EQ(TitleFromPath("/", "/"), "");
  EXPECT_EQ(TitleFromPath("/dir/", "/"), "");
  EXPECT_EQ(TitleFromPath("/dir/.hidden", "/"), "");
}

}  // namespace
