// Drawing: the paddle's right-hand limit, and the ball's float coordinates
// converted as the platform converts them.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

using DrawingTest = GameTest;

TEST_F(DrawingTest, APaddlePastTheRightEdgeIsPulledBackAndARestingBallWithIt) {
  for (const bool resting : {true, false}) {
    game->paddleX = 300;
    game->ballX = 317;
    game->ballOnPaddle = resting;
    game->DrawPaddle();
    EXPECT_EQ(game->paddleX, 285);
    EXPECT_EQ(game->ballX, resting ? 302 : 317);
    EXPECT_EQ(Take()[2], R"(["MoveToEx",290,180])");
  }
}

TEST_F(DrawingTest, CoordinatesTruncateTowardZeroAndOutOfRangeOnesBecomeTheMostNegative) {
  game->ballRadius = 0;
  game->ballX = -0.5;
  game->ballY = 2147483647.0;
  game->DrawBall();
  const Lines lines = Take();
  EXPECT_EQ(lines[1], R"(["Ellipse",0,2147483647,0,2147483647])");
  EXPECT_EQ(lines[2], R"(["SetPixel",-1,2147483646,65280])");
  EXPECT_EQ(lines[4], R"(["SetPixel",-1,-2147483648,65280])");
  EXPECT_EQ(lines[5], R"(["SetPixel",0,2147483646,65280])");  // -0.5 to 0, not -1
}

}  // namespace
}  // namespace velbrik_test
