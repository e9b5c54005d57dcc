// Drawing the paddle, with its rounded ends, highlights and right-hand limit,
// and the ball, with its green core.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

class DrawingTest : public GameTest {
 protected:
  void SetUp() override {
    Open(320, 200);
    game->surface = surface.Handle();
  }
};

TEST_F(DrawingTest, APaddleIsABodyOfLinesBetweenTwoStacksOfCircles) {
  game->paddleX = 100;
  game->paddleWidth = 20;
  game->paddleHeight = 4;
  game->paddleBottom = 50;
  game->DrawPaddle();
  // h 4, half 2, top 46: body from x 102 to 118; ends from 4x4 boxes inwards,
  // inverted past the middle.
  EXPECT_EQ(Take(),
            (std::vector<std::string>{
                R"(["SetTextColor",65535])",      R"(["SelectDefaultPen",5])",      R"(["MoveToEx",102,46])",
                R"(["LineTo",118,46])",           R"(["MoveToEx",102,47])",         R"(["LineTo",118,47])",
                R"(["MoveToEx",102,48])",         R"(["LineTo",118,48])",           R"(["MoveToEx",102,49])",
                R"(["LineTo",118,49])",           R"(["Ellipse",100,46,104,50])",   R"(["Ellipse",116,46,120,50])",
                R"(["Ellipse",101,47,103,49])",   R"(["Ellipse",117,47,119,49])",   R"(["Ellipse",102,48,102,48])",
                R"(["Ellipse",118,48,118,48])",   R"(["Ellipse",103,49,101,47])",   R"(["Ellipse",119,49,117,47])",
                R"(["SetPixel",101,46,8355711])", R"(["SetPixel",101,48,8355711])", R"(["SetPixel",118,47,8355711])",
                R"(["SetPixel",118,46,8355711])", R"(["SetPixel",118,48,8355711])", R"(["SelectDefaultPen",1])",
            }));
}

TEST_F(DrawingTest, TheFullSizePaddleHasTenRowsAndTenCirclesAnEnd) {
  game->paddleX = 142;
  game->DrawPaddle();
  const auto lines = Take();
  EXPECT_EQ(CountPrefix(lines, "[\"MoveToEx\""), 10);
  EXPECT_EQ(CountPrefix(lines, "[\"Ellipse\""), 20);
  EXPECT_EQ(lines[2], R"(["MoveToEx",147,180])");
  EXPECT_EQ(lines[3], R"(["LineTo",172,180])");
  EXPECT_EQ(lines[20], R"(["MoveToEx",147,189])");
}

TEST_F(DrawingTest, APaddlePastTheRightEdgeIsPulledBackWithARestingBall) {
  game->paddleX = 300;
  game->ballX = 317;
  game->ballOnPaddle = true;
  game->DrawPaddle();
  EXPECT_EQ(game->paddleX, 285);
  EXPECT_EQ(game->ballX, 302);
  EXPECT_EQ(Take()[2], R"(["MoveToEx",290,180])");

  // A ball in flight stays where it is.
  game->paddleX = 300;
  game->ballX = 317;
  game->ballOnPaddle = false;
  game->DrawPaddle();
  EXPECT_EQ(game->paddleX, 285);
  EXPECT_EQ(game->ballX, 317);
}

TEST_F(DrawingTest, ABallIsConcentricCirclesAroundAGreenCore) {
  game->ballRadius = 0;
  game->ballX = 10.7;
  game->ballY = 20.2;
  game->DrawBall();
  EXPECT_EQ(Take(), (std::vector<std::string>{
                        R"(["SelectDefaultPen",0])", R"(["Ellipse",10,20,10,20])", R"(["SetPixel",9,19,65280])",
                        R"(["SetPixel",9,20,65280])", R"(["SetPixel",9,21,65280])", R"(["SetPixel",10,19,65280])",
                        R"(["SetPixel",10,20,65280])", R"(["SetPixel",10,21,65280])", R"(["SetPixel",11,19,65280])",
                        R"(["SetPixel",11,20,65280])", R"(["SetPixel",11,21,65280])"}));

  game->ballRadius = 2;
  game->DrawBall();
  EXPECT_TRUE(InOrder(Take(), {R"(["Ellipse",10,20,10,20])", R"(["Ellipse",9,19,11,21])", R"(["Ellipse",8,18,12,22])",
                               R"(["SetPixel",9,19,65280])"}));
}

TEST_F(DrawingTest, BallCoordinatesTruncateTowardZero) {
  game->ballRadius = 1;
  game->ballX = -0.5;
  game->ballY = 0.5;
  game->DrawBall();
  // -0.5 - 1 truncates to -1 and -0.5 + 1 to 0; -0.5 itself to 0, not -1.
  EXPECT_EQ(Take(), (std::vector<std::string>{
                        R"(["SelectDefaultPen",0])", R"(["Ellipse",0,0,0,0])", R"(["Ellipse",-1,0,0,1])",
                        R"(["SetPixel",-1,0,65280])", R"(["SetPixel",-1,0,65280])", R"(["SetPixel",-1,1,65280])",
                        R"(["SetPixel",0,0,65280])", R"(["SetPixel",0,0,65280])", R"(["SetPixel",0,1,65280])",
                        R"(["SetPixel",0,0,65280])", R"(["SetPixel",0,0,65280])", R"(["SetPixel",0,1,65280])"}));
}

TEST_F(DrawingTest, ANegativeRadiusDrawsOnlyTheCore) {
  game->ballRadius = -1;
  game->ballX = 5;
  game->ballY = 5;
  game->DrawBall();
  const auto lines = Take();
  EXPECT_EQ(CountPrefix(lines, "[\"Ellipse\""), 0);
  EXPECT_EQ(CountPrefix(lines, "[\"SetPixel\""), 9);
}

}  // namespace
}  // namespace velbrik_test
