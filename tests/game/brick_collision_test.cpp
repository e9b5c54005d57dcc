// Brick collision: the ball's centre crossing a live brick's edge within one
// sub-step reflects it, costs the brick a hit and scores a point.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

class BrickCollisionTest : public GameTest {
 protected:
  // Only brick 0 lives: x 2..32, y 45..55 on a 320x200 display, one hit left.
  void SetUp() override {
    Open(320, 200);
    game->LayoutBricks();
    RetireAllBut(0);
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

}  // namespace
}  // namespace velbrik_test
