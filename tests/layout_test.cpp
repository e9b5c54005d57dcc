// The brick field: where a new game puts the 60 bricks on displays of several
// widths, which are strong, how they are drawn, and when the field counts as clear.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

struct LayoutCase {
  int width;
  int firstX, firstY;  // brick 0
  int stepX, stepY;    // pitch
  int w, h;            // every brick's size
  int oddRowX;         // where odd rows start
  std::vector<int> rowLengths;
};

class LayoutTest : public GameTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, RowsPitchAndSizeFollowTheWidth) {
  const LayoutCase &c = GetParam();
  Open(c.width, 200);
  game->LayoutBricks();

  int index = 0;
  for (std::size_t row = 0; row < c.rowLengths.size(); ++row) {
    const int rowX = row % 2 == 0 ? c.firstX : c.oddRowX;
    for (int k = 0; k < c.rowLengths[row]; ++k, ++index) {
      const Brick &b = game->bricks[index];
      SCOPED_TRACE("brick " + std::to_string(index));
      EXPECT_EQ(b.x, rowX + k * c.stepX);
      EXPECT_EQ(b.y, c.firstY + static_cast<int>(row) * c.stepY);
      EXPECT_EQ(b.w, c.w);
      EXPECT_EQ(b.h, c.h);
      EXPECT_TRUE(b.alive);
    }
  }
  EXPECT_EQ(index, brickCount);
}

INSTANTIATE_TEST_SUITE_P(Widths, LayoutTest,
                         ::testing::Values(LayoutCase{320, 2, 45, 35, 24, 30, 10, 19, {9, 8, 9, 8, 9, 8, 9}},
                                           LayoutCase{256, 1, 36, 28, 19, 24, 8, 15, {9, 8, 9, 8, 9, 8, 9}},
                                           LayoutCase{200, 1, 28, 21, 15, 18, 6, 11, {9, 9, 9, 9, 9, 9, 6}},
                                           LayoutCase{100, 0, 14, 10, 7, 9, 3, 5, {10, 9, 10, 9, 10, 9, 3}}),
                         [](const auto &p) { return "Width" + std::to_string(p.param.width); });

TEST_F(LayoutTest, ScaleIsAProductNotAQuotient) {
  // 448 / 320 is 1.4 exactly, but 448 * 0.003125 lies a hair above it, which
  // lifts 45 * scale to 63.
  Open(448, 300);
  game->LayoutBricks();
  EXPECT_EQ(game->bricks[0].y, 63);
  EXPECT_EQ(game->bricks[0].x, 2);
}

TEST_F(LayoutTest, StrongBricksAreTheFirstAndLastNineWhateverTheirRows) {
  for (const int width : {320, 200, 100}) {
    Open(width, 200);
    game->LayoutBricks();
    for (int i = 0; i < brickCount; ++i) {
      const bool strong = i < 9 || i > 50;
      SCOPED_TRACE("width " + std::to_string(width) + " brick " + std::to_string(i));
      EXPECT_EQ(game->bricks[i].hits, strong ? 2 : 1);
      EXPECT_EQ(game->bricks[i].pen, strong ? 3u : 2u);
    }
  }
}

TEST_F(LayoutTest, BricksAreStacksOfLinesAndDeadOnesOnlySelectTheirPen) {
  Open(320, 200);
  game->LayoutBricks();
  game->bricks[1].alive = false;
  game->surface = surface.Handle();
  game->DrawBricks();
  const auto lines = Take();
  // Every brick selects its pen; only the 59 live ones draw 10 lines each.
  EXPECT_EQ(CountPrefix(lines, "[\"SelectDefaultPen\""), 60);
  EXPECT_EQ(CountPrefix(lines, "[\"MoveToEx\""), 590);
  EXPECT_EQ(CountPrefix(lines, "[\"LineTo\""), 590);
  const std::vector<std::string> firstBrick = {
      R"(["SelectDefaultPen",3])", R"(["MoveToEx",2,45])",      R"(["LineTo",32,45])",       R"(["MoveToEx",2,54])",
      R"(["LineTo",32,54])",       R"(["SelectDefaultPen",3])", R"(["SelectDefaultPen",3])", R"(["MoveToEx",72,45])"};
  EXPECT_TRUE(InOrder(lines, firstBrick));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), R"(["MoveToEx",37,45])"), 0);
  // The last brick lies below the paddle's top on a 200-high display: the
  // layout never looks at the height.
  EXPECT_EQ(lines[lines.size() - 2], R"(["MoveToEx",282,198])");
  EXPECT_EQ(lines.back(), R"(["LineTo",312,198])");
}

TEST_F(LayoutTest, AStrongBrickHitOnceKeepsItsPen) {
  Open(320, 200);
  game->LayoutBricks();
  RetireAllBut(0);
  Fly(10, 54.5, 0, -1);  // came from 55.5, across the bottom edge at y 55
  game->CollideBricks();
  EXPECT_EQ(game->bricks[0].hits, 1);
  EXPECT_TRUE(game->bricks[0].alive);
  EXPECT_EQ(game->bricks[0].pen, 3u);
}

TEST_F(LayoutTest, TheFieldIsClearOnlyWhenNoBrickLives) {
  Open(320, 200);
  game->LayoutBricks();
  RetireAllBut(59);
  game->CountBricks();
  EXPECT_EQ(game->levelClear, 0);
  game->bricks[59].alive = false;
  game->CountBricks();
  EXPECT_EQ(game->levelClear, 1);
}

}  // namespace
}  // namespace velbrik_test
