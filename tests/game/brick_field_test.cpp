// The brick field: where a new game puts the 60 bricks on displays of several
// widths, and which of them are strong.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

struct LayoutCase {
  int width;
  int firstX, firstY, stepX, stepY;  // brick 0 and the pitch
  int w, h;                          // every brick's size
  int oddRowX;                       // where odd rows start
  std::vector<int> rowLengths;
};

class BrickFieldTest : public GameTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(BrickFieldTest, RowsFollowTheWidthAloneAndTheFirstAndLastNineAreStrong) {
  const LayoutCase &c = GetParam();
  Open(c.width, 200);
  game->LayoutBricks();
  int i = 0;
  for (std::size_t row = 0; row < c.rowLengths.size(); ++row)
    for (int k = 0; k < c.rowLengths[row]; ++k, ++i) {
      const Brick &b = game->bricks[i];
      const bool strong = i < 9 || i > 50;
      SCOPED_TRACE("brick " + std::to_string(i));
      EXPECT_EQ(b.x, (row % 2 ? c.oddRowX : c.firstX) + k * c.stepX);
      EXPECT_EQ(b.y, c.firstY + static_cast<int>(row) * c.stepY);
      EXPECT_EQ(b.w, c.w);
      EXPECT_EQ(b.h, c.h);
      EXPECT_TRUE(b.alive);
      EXPECT_EQ(b.hits, strong ? 2 : 1);
      EXPECT_EQ(b.pen, strong ? 3u : 2u);
    }
  EXPECT_EQ(i, brickCount);
}

// 448 * 0.003125 lies a hair above 1.4, which lifts 45 * scale to 63.
INSTANTIATE_TEST_SUITE_P(Widths, BrickFieldTest,
                         ::testing::Values(LayoutCase{320, 2, 45, 35, 24, 30, 10, 19, {9, 8, 9, 8, 9, 8, 9}},
                                           LayoutCase{256, 1, 36, 28, 19, 24, 8, 15, {9, 8, 9, 8, 9, 8, 9}},
                                           LayoutCase{200, 1, 28, 21, 15, 18, 6, 11, {9, 9, 9, 9, 9, 9, 6}},
                                           LayoutCase{100, 0, 14, 10, 7, 9, 3, 5, {10, 9, 10, 9, 10, 9, 3}},
                                           LayoutCase{448, 2, 63, 49, 33, 42, 14, 26, {9, 8, 9, 8, 9, 8, 9}}),
                         [](const auto &p) { return "Width" + std::to_string(p.param.width); });

}  // namespace
}  // namespace velbrik_test
