// The window's caption from the program file's path.
#include <gtest/gtest.h>

#include "platform/title.h"

namespace {

TEST(Title, BaseNameCutAtItsLastFullStop) {
  EXPECT_EQ(TitleFromPath("/usr/local/bin/viewer"), "viewer");
  EXPECT_EQ(TitleFromPath("/opt/viewer.bin"), "viewer");
  EXPECT_EQ(TitleFromPath("/opt/my.viewer.bin"), "my.viewer");
  EXPECT_EQ(TitleFromPath("viewer"), "viewer");
  EXPECT_EQ(TitleFromPath("name."), "name");
}

TEST(Title, FullStopsInDirectoriesDoNotCount) {
  EXPECT_EQ(TitleFromPath("/home/a.b/build.release/viewer"), "viewer");
  EXPECT_EQ(TitleFromPath("./viewer"), "viewer");
}

TEST(Title, DegenerateNamesGiveShortTitles) {
  EXPECT_EQ(TitleFromPath(""), "");
  EXPECT_EQ(TitleFromPath("/"), "");
  EXPECT_EQ(TitleFromPath("/dir/"), "");
  EXPECT_EQ(TitleFromPath("/dir/.hidden"), "");
}

TEST(Title, ExecutablePathNamesThisProgram) {
  const std::string path = ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(TitleFromPath(path), "platform_unit_tests");
}

}  // namespace
