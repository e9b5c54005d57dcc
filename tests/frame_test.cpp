// The game display's construction, its frame sequence and the states a game
// moves through: new game pending, resting, in play, level clear, game over.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

struct SizeCase {
  int width, height;
  int paddleWidth, paddleHeight, paddleBottom, ballRadius, paddleX;
};

class ConstructionTest : public GameTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ConstructionTest, SizesDeriveFromTheWidthAndTheGameStartsPending) {
  const SizeCase &c = GetParam();
  Open(c.width, c.height);
  EXPECT_EQ(game->width, c.width);
  EXPECT_EQ(game->height, c.height);
  EXPECT_EQ(game->paddleWidth, c.paddleWidth);
  EXPECT_EQ(game->paddleHeight, c.paddleHeight);
  EXPECT_EQ(game->paddleBottom, c.paddleBottom);
  EXPECT_EQ(game->ballRadius, c.ballRadius);
  EXPECT_EQ(game->paddleX, c.paddleX);
  EXPECT_TRUE(game->newGamePending);
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_FALSE(game->ballReleased);
  EXPECT_FALSE(game->gameOver);
  EXPECT_FALSE(game->debugReadout);
  EXPECT_EQ(game->levelClear, 0);
  EXPECT_EQ(game->score, 0);
  EXPECT_EQ(game->ballsLeft, 1);
  EXPECT_EQ(game->ballVX, 0);
  EXPECT_EQ(game->ballVY, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConstructionTest,
                         ::testing::Values(SizeCase{320, 200, 35, 10, 190, 3, 142},
                                           // 200 - 9.375 truncates to 190, not 200 - 9.
                                           SizeCase{300, 200, 32, 9, 190, 2, 134}, SizeCase{0, 0, 0, 0, 0, 0, 0},
                                           SizeCase{640, 480, 70, 20, 460, 6, 285},
                                           SizeCase{65535, 65535, 7167, 2047, 63487, 614, 29184}),
                         [](const auto &p) {
                           return std::to_string(p.param.width) + "x" + std::to_string(p.param.height);
                         });

class FrameTest : public GameTest {
 protected:
  // A 320x200 game after its first frame: bricks laid out, ball resting.
  void Start() {
    Open(320, 200);
    Repaint();
    Take();
  }
};

TEST_F(FrameTest, TheFirstFrameDrawsStatusFieldPaddlePromptAndBallInOrder) {
  Open(320, 200);
  Repaint();
  const auto lines = Take();
  const std::vector<std::string> head = {R"(["SetTextColor",65280])",
                                         R"(["GetCursorPos"])",
                                         R"(["TextOutA",0,0," Score:",7])",
                                         R"(["TextOutA",90,0,"0",1])",
                                         R"(["TextOutA",220,0,"Balls: ",7])",
                                         R"(["TextOutA",300,0,"1",1])",
                                         R"(["SelectDefaultPen",3])",
                                         R"(["MoveToEx",2,45])",
                                         R"(["LineTo",32,45])"};
  ASSERT_GE(lines.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);

  // The resting ball sits on the paddle's top centre, half its radius up:
  // x 142 + 35/2 = 159, y 190 - 10 - 3/2 = 179.
  const std::vector<std::string> tail = {
      R"(["SetTextColor",16777215])",   R"(["TextOutA",0,100,"      Release ball! (Shift+R) ",30])",
      R"(["SelectDefaultPen",0])",      R"(["Ellipse",159,179,159,179])",
      R"(["Ellipse",158,178,160,180])", R"(["Ellipse",157,177,161,181])",
      R"(["Ellipse",156,176,162,182])", R"(["SetPixel",158,178,65280])",
      R"(["SetPixel",158,179,65280])",  R"(["SetPixel",158,180,65280])",
      R"(["SetPixel",159,178,65280])",  R"(["SetPixel",159,179,65280])",
      R"(["SetPixel",159,180,65280])",  R"(["SetPixel",160,178,65280])",
      R"(["SetPixel",160,179,65280])",  R"(["SetPixel",160,180,65280])"};
  ASSERT_GE(lines.size(), tail.size());
  EXPECT_EQ(std::vector<std::string>(lines.end() - tail.size(), lines.end()), tail);

  EXPECT_TRUE(InOrder(lines, {R"(["LineTo",312,198])", R"(["SetTextColor",65535])", R"(["SelectDefaultPen",5])",
                              R"(["MoveToEx",147,180])", R"(["LineTo",172,180])", R"(["Ellipse",142,180,152,190])",
                              R"(["SelectDefaultPen",1])", R"(["TextOutA",0,0,"",0])", R"(["TextOutA",0,90,"",0])"}));
  // Status 4 + field (60 pens, 60 x 10 lines of two calls) + paddle 1 + 1 + 20
  // + 20 + 5 + 1 + prompt 12 + ball 1 + 4 + 9, after colour and cursor.
  EXPECT_EQ(lines.size(), 2u + 4 + 60 + 1200 + 48 + 12 + 14);
  EXPECT_FALSE(game->newGamePending);
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_EQ(game->ballX, 159);
  EXPECT_EQ(game->ballY, 179);
}

TEST_F(FrameTest, ABallInPlayRunsTenSubStepsAndALostOneEndsTheFrame) {
  Start();
  Fly(160, 30, 0.5, -1);  // open space between the top wall and the field
  Repaint();
  EXPECT_DOUBLE_EQ(game->ballX, 165);
  EXPECT_DOUBLE_EQ(game->ballY, 20);

  // Falling beside the paddle: lost when its lowest point passes the paddle's
  // top (y 180), at y 178 after the eighth sub-step; the frame stops there.
  Fly(5, 170, 0, 1);
  Repaint();
  EXPECT_DOUBLE_EQ(game->ballY, 178);
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_FALSE(game->ballReleased);
  EXPECT_EQ(game->ballsLeft, 0);
  EXPECT_FALSE(game->gameOver);

  Take();
  Repaint();
  const auto lines = Take();
  EXPECT_TRUE(
      InOrder(lines, {R"(["TextOutA",300,0,"0",1])", R"(["TextOutA",0,100,"      Release ball! (Shift+R) ",30])"}));
  EXPECT_EQ(game->ballY, 179);  // back on the paddle
}

TEST_F(FrameTest, TheLevelClearsTheFrameAfterTheLastBrickGoes) {
  Start();
  RetireAllBut(20);
  game->bricks[20].hits = 1;
  const Brick &b = game->bricks[20];
  // Straight up, one sub-step below the last brick's bottom edge.
  Fly(b.x + 5, b.y + b.h + 1, 0, -1);
  Repaint();
  auto lines = Take();
  EXPECT_FALSE(game->bricks[20].alive);
  EXPECT_EQ(game->score, 1);
  EXPECT_EQ(game->levelClear, 0);
  EXPECT_GT(CountPrefix(lines, "[\"Ellipse\""), 0);  // drawn as usual

  Repaint();
  lines = Take();
  EXPECT_EQ(game->levelClear, 1);
  // The status line alone: no banner yet, no field, paddle or ball.
  EXPECT_EQ(lines, (std::vector<std::string>{R"(["SetTextColor",65280])", R"(["GetCursorPos"])",
                                             R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"1",1])",
                                             R"(["TextOutA",220,0,"Balls: ",7])", R"(["TextOutA",300,0,"1",1])"}));

  Repaint();
  lines = Take();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines.back(), R"(["TextOutA",90,100,"- Level Clear! -",16])");
}

TEST_F(FrameTest, LosingTheLastBallEndsTheGameUntilANewOne) {
  Start();
  game->ballsLeft = 0;
  Fly(5, 170, 0, 1);
  Repaint();
  EXPECT_TRUE(game->gameOver);
  EXPECT_EQ(game->ballsLeft, -1);

  Take();
  Repaint();
  EXPECT_EQ(Take(), (std::vector<std::string>{R"(["SetTextColor",65280])", R"(["GetCursorPos"])",
                                              R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"0",1])",
                                              R"(["TextOutA",220,0,"Balls: ",7])", R"(["TextOutA",300,0,"0",1])",
                                              R"(["TextOutA",90,100,"- Game Over! -",14])"}));

  game->NewGame();
  Repaint();
  const auto lines = Take();
  EXPECT_FALSE(game->gameOver);
  EXPECT_EQ(CountPrefix(lines, "[\"TextOutA\",90,100"), 0);
  EXPECT_TRUE(InOrder(lines, {R"(["TextOutA",300,0,"1",1])", R"(["SelectDefaultPen",5])"}));
}

TEST_F(FrameTest, ANewGameDuringPlayLaysTheFieldOutAgain) {
  Start();
  RetireAllBut(-1);
  game->bricks[3].alive = true;
  game->score = 17;
  game->ballsLeft = 0;
  Fly(100, 30, 0.5, -1);
  game->NewGame();
  Repaint();
  const auto lines = Take();
  EXPECT_TRUE(InOrder(lines, {R"(["TextOutA",90,0,"0",1])", R"(["TextOutA",300,0,"1",1])"}));
  for (const Brick &b : game->bricks) EXPECT_TRUE(b.alive);
  EXPECT_EQ(CountPrefix(lines, "[\"MoveToEx\""), 600 + 10);  // field and paddle body
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_FALSE(game->ballReleased);
  EXPECT_EQ(game->score, 0);
}

TEST_F(FrameTest, AReleaseBeforeTheFirstFrameIsUndoneAndDrawsNothing) {
  Open(320, 200);
  SetCursor(40);
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  // No surface yet: the frame's state changes happen, its drawing does not.
  EXPECT_EQ(Take(), std::vector<std::string>{R"(["GetCursorPos"])"});
  EXPECT_EQ(game->paddleX, 162);
  EXPECT_EQ(printLine, 10);  // the prompt still took its lines
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_FALSE(game->ballReleased);
  EXPECT_FALSE(game->newGamePending);

  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(game->ballReleased);
  EXPECT_FALSE(game->ballOnPaddle);
}

TEST_F(FrameTest, TheDebugReadoutShowsTheVerticalVelocity) {
  Start();
  Fly(160, 30, 0.5, -1);
  game->debugReadout = true;
  Repaint();
  const auto lines = Take();
  EXPECT_EQ(lines.back(), R"(["TextOutA",0,180,"-1.000000",9])");
}

}  // namespace
}  // namespace velbrik_test
