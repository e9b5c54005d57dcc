// The game's physics: the ball's centre crossing a live brick's edge within
// one sub-step (a reflection, a hit, a point); the paddle following the
// cursor, the walls, the paddle's steering rebound and the loss of a ball.
// Where the bricks lie, at a dozen widths, is the digest set's. And the
// buttons that forward the R and S keys (the keys themselves, the labels and
// the menu, traced in full, are the digest set's too).
#include <climits>
#include <cmath>

#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

// How many of `lines` start with `prefix`.
int Count(const Lines &lines, const std::string &prefix) {
  int n = 0;
  for (const auto &line : lines) n += line.rfind(prefix, 0) == 0;
  return n;
}

// Whether `expected` appears within `lines` in order, not necessarily adjacent.
::testing::AssertionResult InOrder(const Lines &lines, const Lines &expected) {
  std::size_t next = 0;
  for (const auto &line : lines) next += next < expected.size() && line == expected[next];
  if (next == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing, in order: " << expected[next];
}

class BrickCollisionTest : public GameTest {
 protected:
  // Only brick 0 lives: x 2..32, y 45..55 on a 320x200 display, one hit left.
  void SetUp() override {
    Open(320, 200);
    game->LayoutBricks();
    for (int i = 1; i < brickCount; ++i) game->bricks[i].alive = false;
    game->bricks[0].hits = 1;
  }
};

struct CrossingCase {
  const char *what;
  double x, y, vx, vy;  // after the move; the previous centre is (x - vx, y - vy)
  bool hit;
};

TEST_F(BrickCollisionTest, AnEdgeCountsFromStrictlyOutsideToOnOrBeyondWithinItsSpanEndsIncluded) {
  const CrossingCase cases[] = {
      {"up across the bottom", 10, 54.5, 0, -1, true}, {"up onto the bottom", 10, 55, 0, -1, true},
      {"up from on the bottom", 10, 54, 0, -1, false}, {"up, left end", 2, 55, 0, -1, true},
      {"up, right end", 32, 55, 0, -1, true},          {"up, right of it", 33, 55, 0, -1, false},
      {"down onto the top", 10, 45, 0, 1, true},       {"down from on the top", 10, 46, 0, 1, false},
      {"right onto the left", 2, 50, 1, 0, true},      {"right from on the left", 3, 50, 1, 0, false},
      {"left onto the right", 32, 50, -1, 0, true},    {"left from on the right", 31, 50, -1, 0, false},
      {"left, bottom end", 32, 55, -1, 0, true},       {"left, below it", 32, 55.5, -1, 0, false},
      {"right, top end", 2, 45, 1, 0, true},           {"inside", 10, 50, 0.5, -1, false},
  };
  for (const CrossingCase &c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    Fly(c.x, c.y, c.vx, c.vy);
    game->CollideBricks();
    EXPECT_EQ(game->score, c.hit ? 1 : 0);
    EXPECT_EQ(game->bricks[0].alive, !c.hit);
    // The component of the crossed edge flips, the other stays.
    EXPECT_EQ(game->ballVX, c.hit && c.vy == 0 ? -c.vx : c.vx);
    EXPECT_EQ(game->ballVY, c.hit && c.vy != 0 ? -c.vy : c.vy);
    EXPECT_EQ(Count(Take(), "[\"SelectDefaultPen\""), c.hit ? 60 : 0);
  }
}

TEST_F(BrickCollisionTest, ACornerCrossingCountsBothEdgesAndBothRedrawsShowTheBrick) {
  Fly(2, 45, 1, 1);  // from (1, 44)
  game->CollideBricks();
  EXPECT_EQ(game->bricks[0].hits, -1);
  EXPECT_FALSE(game->bricks[0].alive);
  EXPECT_EQ(game->score, 2);
  EXPECT_EQ(game->ballVX, -1);
  EXPECT_EQ(game->ballVY, -1);
  EXPECT_EQ(Count(Take(), "[\"MoveToEx\",2,"), 2 * 10);
}

TEST_F(BrickCollisionTest, AStrongBrickKeepsItsPenAfterOneHitAndGoesAfterTwo) {
  game->bricks[0].hits = 2;
  Fly(10, 55, 0, -1);
  game->CollideBricks();
  EXPECT_TRUE(game->bricks[0].alive);
  EXPECT_EQ(game->bricks[0].pen, 3u);
  Fly(10, 45, 0, 1);
  game->CollideBricks();
  EXPECT_FALSE(game->bricks[0].alive);
  EXPECT_EQ(game->score, 2);
}

TEST_F(BrickCollisionTest, LaterBricksSeeTheReflectedVelocity) {
  // Brick 1 right under brick 0: once reflected, the ball's previous centre is
  // taken as a sub-step below it, across brick 1's top edge.
  game->bricks[1] = Brick{2, 55, 30, 10, 1, 2, true};
  Fly(10, 55, 0, -1);
  game->CollideBricks();
  EXPECT_FALSE(game->bricks[1].alive);
  EXPECT_EQ(game->score, 2);
  EXPECT_EQ(game->ballVY, -1);
}

using MotionTest = GameTest;

TEST_F(MotionTest, ThePaddleFollowsHalfTheCursorTravelHeldOnlyOnTheLeft) {
  const struct {
    int paddleX, lastCursor, cursor, expected;
  } cases[] = {
      {142, 0, 160, 222},
      {142, 100, 101, 142},  // halving truncates toward zero
      {142, 100, 99, 142},
      {10, 0, -100, 0},              // held at the left edge
      {300, 0, 0, 300},              // the right limit waits for DrawPaddle
      {142, INT_MIN, INT_MAX, 142},  // the travel wraps around to -1, as 32-bit sums do
  };
  for (const auto &c : cases) {
    game->paddleX = c.paddleX;
    lastCursorX = c.lastCursor;
    SetCursor(c.cursor);
    game->TrackMouse();
    EXPECT_EQ(game->paddleX, c.expected) << c.lastCursor << " -> " << c.cursor;
    EXPECT_EQ(lastCursorX, c.cursor);
  }
  standin::Host::Instance().SetCursorUnreadable();
  game->TrackMouse();
  EXPECT_EQ(game->paddleX, 142);
  EXPECT_EQ(lastCursorX, INT_MAX);
}

TEST_F(MotionTest, WallsFlipTheVelocityAndABallFallingPastThePaddlesTopBesideItIsLost) {
  const struct {
    double x, y, vx, vy, expectVX, expectVY;
    bool lost;
  } cases[] = {
      {317, 50, 0.5, -1, -0.5, -1, false},   {318, 50, -0.5, -1, 0.5, -1, false},  // right: 320 <= x + 3
      {3, 50, -0.5, -1, 0.5, -1, false},     {2, 50, 0.5, -1, -0.5, -1, false},    // left: x - 3 <= 0
      {100, 3, 0.5, -1, 0.5, 1, false},      {100, 2, 0.5, 1, 0.5, -1, false},     // top: y - 3 <= 0
      {316.5, 3.5, 0.5, -1, 0.5, -1, false}, {141, 178, 0, 1, 0, 1, true},         // one left of the paddle
      {178, 178, 0, 1, 0, 1, true},          {141, 178, 0, -1, 0, -1, false},      // one right; rising
      {141, 178, 0, 0, 0, 0, false},         {141, 177, 0, 1, 0, 1, false},        // level; lowest point on its top
  };
  Start();
  for (const auto &c : cases) {
    game->ballsLeft = 1;
    Fly(c.x, c.y, c.vx, c.vy);
    game->CollideWallsAndPaddle();
    EXPECT_EQ(game->ballVX, c.expectVX) << c.x << "," << c.y;
    EXPECT_EQ(game->ballVY, c.expectVY) << c.x << "," << c.y;
    EXPECT_EQ(game->ballX, c.x);  // never moved back inside
    EXPECT_EQ(game->ballY, c.y);
    EXPECT_EQ(game->ballsLeft, c.lost ? 0 : 1) << c.x << "," << c.y;
    EXPECT_EQ(game->ballOnPaddle, c.lost);
  }
}

TEST_F(MotionTest, ThePaddleSteersTheReboundUpwardsAtTheSameSpeed) {
  const double pi = 3.14159265358979;
  const struct {
    const char *what;
    double x, vx, vy, angle;  // the angle it must leave at, from +x, upwards
  } cases[] = {
      {"centre, straight down", 159.5, 0, 1, pi / 2},
      {"10 right of centre", 169.5, 0, 1, pi / 2 - 0.5},
      {"left end", 142, 0, 1, pi / 2 + 0.875},
      {"right end", 177, 0, 1, pi / 2 - 0.875},
      {"shallow from the left at the right end", 177, 1, 0.25, 0.2},
      {"shallow from the right at the left end", 142, -1, 0.25, pi - 0.2},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Start();  // paddle 142..177, top edge 180
    game->debugReadout = true;
    Fly(c.x, 178, c.vx, c.vy);
    game->CollideWallsAndPaddle();
    const double speed = std::hypot(c.vx, c.vy);
    EXPECT_NEAR(game->ballVX, std::cos(c.angle) * speed, 1e-12);
    EXPECT_NEAR(game->ballVY, -std::sin(c.angle) * speed, 1e-12);
    EXPECT_FALSE(game->debugReadout);
    const int x = static_cast<int>(c.x);  // drawn again where it meets the paddle
    EXPECT_TRUE(InOrder(Take(), {R"(["SelectDefaultPen",0])",
                                 "[\"Ellipse\"," + std::to_string(x) + ",178," + std::to_string(x) + ",178]"}));
  }
}

using ControlsTest = GameTest;

// Records the keys that buttons forward: they go through the virtual operation.
class KeyLog : public BrickMFD {
 public:
  using BrickMFD::BrickMFD;
  bool ConsumeKeyBuffered(unsigned long key) override {
    keys.push_back(key);
    return BrickMFD::ConsumeKeyBuffered(key);
  }
  std::vector<unsigned long> keys;
};

TEST_F(ControlsTest, ButtonsForwardTheirKeysOnEventsWithBitZeroOnly) {
  KeyLog display(320, 200, nullptr);
  const unsigned long keys[12] = {0x1F, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x10, 0x11};
  for (int bt = 0; bt < 12; ++bt) {
    display.keys.clear();
    EXPECT_EQ(display.ConsumeButton(bt, 1), bt < 2) << bt;
    EXPECT_EQ(display.keys, std::vector<unsigned long>{keys[bt]}) << bt;
  }
  const struct { int bt, event; } ignored[] = {{0, 0}, {0, 2}, {1, 0x100}, {12, 1}, {-1, 1}, {INT_MIN, 1}};
  for (const auto &c : ignored) {
    display.keys.clear();
    EXPECT_FALSE(display.ConsumeButton(c.bt, c.event)) << c.bt << " " << c.event;
    EXPECT_TRUE(display.keys.empty());
  }
  EXPECT_TRUE(display.ConsumeButton(0, -1));
}

}  // namespace
}  // namespace velbrik_test
