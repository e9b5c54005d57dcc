// Brick collision: the ball's centre crossing a live brick's edge within one
// sub-step reflects it, costs the brick a hit and scores.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

class CollisionTest : public GameTest {
 protected:
  // Only brick 0 lives: x 2..32, y 45..55 on a 320x200 display, one hit left.
  void SetUp() override {
    Open(320, 200);
    game->LayoutBricks();
    RetireAllBut(0);
    game->bricks[0].hits = 1;
    game->surface = surface.Handle();
  }
};

struct CrossingCase {
  const char *what;
  double x, y, vx, vy;  // after the move; the previous centre is (x - vx, y - vy)
  bool hit;
  double expectVX, expectVY;
};

TEST_F(CollisionTest, AnEdgeCountsWhenTheCentreCrossesItWithinItsSpan) {
  const CrossingCase cases[] = {
      {"up across the bottom edge", 10, 55, 0, -1, true, 0, 1},
      {"up across the bottom edge, past it", 10, 54.5, 0, -1, true, 0, 1},
      {"up, one right of the brick", 33, 55, 0, -1, false, 0, -1},
      {"up, on the right end", 32, 55, 0, -1, true, 0, 1},
      {"up, from exactly on the edge", 10, 54, 0, -1, false, 0, -1},
      {"down across the top edge", 10, 45, 0, 1, true, 0, -1},
      {"down, from exactly on the top edge", 10, 46, 0, 1, false, 0, 1},
      {"right across the left edge", 2, 50, 1, 0, true, -1, 0},
      {"left across the right edge", 32, 50, -1, 0, true, 1, 0},
      {"left, below the brick", 32, 55.5, -1, 0, false, -1, 0},
      {"still inside the brick", 10, 50, 0.5, -1, false, 0.5, -1},
  };
  for (const CrossingCase &c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    Fly(c.x, c.y, c.vx, c.vy);
    game->CollideBricks();
    EXPECT_EQ(game->score, c.hit ? 1 : 0);
    EXPECT_EQ(game->bricks[0].alive, !c.hit);
    EXPECT_EQ(game->ballVX, c.expectVX);
    EXPECT_EQ(game->ballVY, c.expectVY);
    EXPECT_EQ(CountPrefix(Take(), "[\"SelectDefaultPen\""), c.hit ? 60 : 0);
  }
}

TEST_F(CollisionTest, ACornerCrossingCountsBothEdgesAndBothRedrawsShowTheBrick) {
  Fly(2, 45, 1, 1);  // from (1, 44): across the top and the left edge at once
  game->CollideBricks();
  EXPECT_EQ(game->bricks[0].hits, -1);
  EXPECT_FALSE(game->bricks[0].alive);
  EXPECT_EQ(game->score, 2);
  EXPECT_EQ(game->ballVX, -1);
  EXPECT_EQ(game->ballVY, -1);
  const auto lines = Take();
  EXPECT_EQ(CountPrefix(lines, "[\"SelectDefaultPen\""), 120);
  EXPECT_EQ(CountPrefix(lines, "[\"MoveToEx\",2,"), 20);
}

TEST_F(CollisionTest, AStrongBrickTakesTwoHits) {
  game->bricks[0].hits = 2;
  Fly(10, 55, 0, -1);
  game->CollideBricks();
  EXPECT_TRUE(game->bricks[0].alive);
  Fly(10, 45, 0, 1);
  game->CollideBricks();
  EXPECT_FALSE(game->bricks[0].alive);
  EXPECT_EQ(game->score, 2);
}

TEST_F(CollisionTest, ADeadBrickIsNeverTested) {
  game->bricks[0].alive = false;
  Fly(10, 55, 0, -1);
  game->CollideBricks();
  EXPECT_EQ(game->score, 0);
  EXPECT_EQ(game->ballVY, -1);
  EXPECT_EQ(game->bricks[0].hits, 1);
}

TEST_F(CollisionTest, LaterBricksSeeTheReflectedVelocity) {
  // Brick 1 lies right under brick 0. The ball rises across brick 0's bottom
  // edge and is reflected; brick 1 then takes the previous centre as one
  // sub-step below, which puts its top edge between the two: it counts as
  // crossed too, and reflects the ball back up.
  game->bricks[1] = Brick{2, 55, 30, 10, 1, 2, true};
  Fly(10, 55, 0, -1);
  game->CollideBricks();
  EXPECT_FALSE(game->bricks[0].alive);
  EXPECT_FALSE(game->bricks[1].alive);
  EXPECT_EQ(game->score, 2);
  EXPECT_EQ(game->ballVY, -1);
}

}  // namespace
}  // namespace velbrik_test
