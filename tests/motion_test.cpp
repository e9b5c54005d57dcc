// Ball and paddle motion: the paddle following the cursor, the launch, the
// walls, the paddle's steering rebound and the loss of a ball.
#include <climits>
#include <cmath>

#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

const double pi = 3.14159265358979;

class MotionTest : public GameTest {
 protected:
  // A 320x200 game with its field laid out and the paddle at x 142..177.
  void Start() {
    Open(320, 200);
    Repaint();
    Take();
  }
};

struct TrackCase {
  int paddleX, lastCursor, cursor, expected;
};

TEST_F(MotionTest, ThePaddleFollowsHalfTheCursorTravelTruncated) {
  const TrackCase cases[] = {
      {142, 0, 160, 222},  // the first frame after loading counts from 0
      {142, 100, 97, 141},
      {142, 100, 103, 143},  // -3 and +3 move by one
      {142, 100, 101, 142},
      {142, 100, 99, 142},           // a pixel's travel is dropped
      {10, 0, -100, 0},              // held at the left edge
      {300, 0, 0, 300},              // the right limit waits for DrawPaddle
      {142, INT_MIN, INT_MAX, 142},  // the travel wraps to -1 as 32-bit sums do
  };
  Open(320, 200);
  for (const TrackCase &c : cases) {
    game->paddleX = c.paddleX;
    lastCursorX = c.lastCursor;
    SetCursor(c.cursor);
    game->TrackMouse();
    EXPECT_EQ(game->paddleX, c.expected) << c.lastCursor << " -> " << c.cursor;
    EXPECT_EQ(lastCursorX, c.cursor);
  }
}

TEST_F(MotionTest, AnUnreadableCursorLeavesThePaddleWhereItIs) {
  Open(320, 200);
  standin::Host::Instance().SetCursorUnreadable();
  lastCursorX = 50;
  game->TrackMouse();
  EXPECT_EQ(game->paddleX, 142);
  EXPECT_EQ(lastCursorX, 50);
}

TEST_F(MotionTest, TheFirstFramePullsAFarCursorsPaddleBackInside) {
  Open(320, 200);
  SetCursor(1000);
  Repaint();
  EXPECT_EQ(game->paddleX, 285);
  EXPECT_EQ(game->ballX, 285 + 17);
}

TEST_F(MotionTest, TheLaunchStartsFromThePaddlesTopUpAndToTheRight) {
  Open(320, 200);
  game->paddleX = 100;
  game->LaunchBall();
  EXPECT_EQ(game->ballX, 117);
  EXPECT_EQ(game->ballY, 180);
  EXPECT_EQ(game->ballVX, 0.5);
  EXPECT_EQ(game->ballVY, -1);
  EXPECT_FALSE(game->ballOnPaddle);
  EXPECT_TRUE(game->ballReleased);

  // A paddle past the right edge is not clamped yet: the ball starts at
  // 320 - 35/2.
  game->paddleX = 300;
  game->LaunchBall();
  EXPECT_EQ(game->ballX, 303);

  // Velocity scales with the width: 300 * 0.003125 = 0.9375.
  Open(300, 200);
  game->LaunchBall();
  EXPECT_EQ(game->ballVX, 0.46875);
  EXPECT_EQ(game->ballVY, -0.9375);
}

struct WallCase {
  double x, y, vx, vy;
  double expectVX, expectVY;
};

TEST_F(MotionTest, WallsFlipTheVelocityWhateverItsDirection) {
  const WallCase cases[] = {
      {318, 50, 0.5, -1, -0.5, -1},                               // right wall: 320 <= 318 + 3
      {318, 50, -0.5, -1, 0.5, -1},                               // beyond it and already leaving: flipped back
      {3, 50, -0.5, -1, 0.5, -1},                                 // left wall: 3 - 3 <= 0
      {3, 50, 0.5, -1, -0.5, -1},    {100, 3, 0.5, -1, 0.5, 1},   // top wall: 3 - 3 <= 0
      {100, 3, 0.5, 1, 0.5, -1},     {318, 2, 0.5, -1, -0.5, 1},  // a corner flips both
      {316.5, 50, 0.5, -1, 0.5, -1},                              // 319.5 < 320: inside
      {100, 50, 0.5, -1, 0.5, -1},
  };
  Open(320, 200);
  for (const WallCase &c : cases) {
    Fly(c.x, c.y, c.vx, c.vy);
    game->CollideWallsAndPaddle();
    EXPECT_EQ(game->ballVX, c.expectVX) << c.x << "," << c.y;
    EXPECT_EQ(game->ballVY, c.expectVY) << c.x << "," << c.y;
    EXPECT_EQ(game->ballX, c.x);  // never moved back inside
    EXPECT_EQ(game->ballY, c.y);
  }
}

struct ReboundCase {
  const char *what;
  double x, vx, vy;
  double angle;  // the direction it must leave in, radians from +x, upwards
};

TEST_F(MotionTest, ThePaddleSteersTheReboundAndKeepsTheSpeed) {
  // Paddle 142..177, centre 159.5; top edge 180; the ball 2 above it, moving down.
  const ReboundCase cases[] = {
      {"centre, straight down", 159.5, 0, 1, pi / 2},
      {"10 right of centre", 169.5, 0, 1, pi / 2 - 0.5},
      {"left end", 142, 0, 1, pi / 2 + 0.875},
      {"right end", 177, 0, 1, pi / 2 - 0.875},
      {"shallow from the left at the right end", 177, 1, 0.25, 0.2},
      {"shallow from the right at the left end", 142, -1, 0.25, 3.14159265358979 - 0.2},
  };
  for (const ReboundCase &c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    game->debugReadout = true;
    game->surface = surface.Handle();
    Fly(c.x, 178, c.vx, c.vy);
    game->CollideWallsAndPaddle();
    const double speed = std::sqrt(c.vx * c.vx + c.vy * c.vy);
    EXPECT_NEAR(game->ballVX, std::cos(c.angle) * speed, 1e-12);
    EXPECT_NEAR(game->ballVY, -std::sin(c.angle) * speed, 1e-12);
    EXPECT_NEAR(std::hypot(game->ballVX, game->ballVY), speed, 1e-12);
    EXPECT_FALSE(game->debugReadout);
    EXPECT_EQ(game->ballsLeft, 1);
    // The ball is drawn again where it met the paddle.
    const int x = static_cast<int>(c.x);
    EXPECT_TRUE(InOrder(Take(), {R"(["SelectDefaultPen",0])",
                                 "[\"Ellipse\"," + std::to_string(x) + ",178," + std::to_string(x) + ",178]"}));
  }
}

struct LossCase {
  const char *what;
  double x, y, vy;
  int ballsLeft;
  bool lost, gameOver;
};

TEST_F(MotionTest, ABallIsLostOnlyFallingPastThePaddlesTopOutsideIt) {
  const LossCase cases[] = {
      {"one left of the paddle, falling", 141, 178, 1, 1, true, false},
      {"one right of the paddle, falling", 178, 178, 1, 1, true, false},
      {"the last ball", 141, 178, 1, 0, true, true},
      {"rising", 141, 178, -1, 1, false, false},
      {"level", 141, 178, 0, 1, false, false},
      {"lowest point level with the top edge", 141, 177, 1, 1, false, false},
  };
  for (const LossCase &c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    game->ballsLeft = c.ballsLeft;
    Fly(c.x, c.y, 0, c.vy);
    game->CollideWallsAndPaddle();
    EXPECT_EQ(game->ballsLeft, c.lost ? c.ballsLeft - 1 : c.ballsLeft);
    EXPECT_EQ(game->ballOnPaddle, c.lost);
    EXPECT_EQ(game->ballReleased, !c.lost);
    EXPECT_EQ(game->gameOver, c.gameOver);
    EXPECT_EQ(game->ballVY, c.vy);
  }
}

TEST_F(MotionTest, ALaunchedBallKeepsItsSpeedForAWholeGame) {
  // The paddle is kept under the ball, so the ball is never lost; walls and
  // bricks only flip signs and the paddle keeps the speed.
  for (const int width : {320, 256, 640}) {
    Open(width, width * 5 / 8);
    Repaint();
    EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
    const double speed = std::sqrt(1.25) * width * 0.003125;
    int frames = 0;
    for (; frames < 20000 && game->levelClear == 0; ++frames) {
      game->paddleX = static_cast<int>(game->ballX) - game->paddleWidth / 2 + frames % 7 - 3;
      game->Repaint(nullptr);  // only the state is checked here: no drawing
      ASSERT_FALSE(game->ballOnPaddle) << "width " << width << " frame " << frames;
      ASSERT_NEAR(std::hypot(game->ballVX, game->ballVY), speed, 1e-9 * speed);
    }
    EXPECT_GT(game->score, 60) << "width " << width;
  }
}

}  // namespace
}  // namespace velbrik_test
