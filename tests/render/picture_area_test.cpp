// Where the picture goes in the drawable a desktop gives the window.
#include <gtest/gtest.h>

#include "render/scene.h"

namespace {

TEST(PictureArea, AsLargeAsFitsAtFourToThreeCentred) {
  struct Row {
    int width;
    int height;
    PictureArea area;
  };
  const Row rows[] = {
      {640, 480, {0, 0, 640, 480}},       // the window as opened: every pixel as always
      {1024, 768, {0, 0, 1024, 768}},     // a 4:3 output given whole in full screen
      {1280, 720, {160, 0, 960, 720}},    // wide: black bars left and right
      {1020, 748, {11, 0, 997, 748}},     // a tile: 997.3 rounds down, the odd pixel right
      {1021, 749, {11, 0, 999, 749}},     // 998.7 rounds up
      {480, 800, {0, 220, 480, 360}},     // tall: bars above and below
      {641, 481, {0, 0, 641, 481}},       // 480.75 rounds up to the whole height
      {1, 1, {0, 0, 1, 1}},
      {0, 0, {0, 0, 0, 0}},               // minimised
      {-5, 480, {0, 240, 0, 0}},          // nonsense from a window system draws nothing
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.width << " x " << row.height);
    const PictureArea area = FitPicture(row.width, row.height);
    EXPECT_EQ(area.x, row.area.x);
    EXPECT_EQ(area.y, row.area.y);
    EXPECT_EQ(area.width, row.area.width);
    EXPECT_EQ(area.height, row.area.height);
  }
}

}  // namespace
