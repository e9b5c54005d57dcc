// Brick collision: the ball's centre crossing a live brick's edge within one
// sub-step reflects it, costs the brick a hit and scores a point.
#include "game/BrickMFD.h"

// An edge counts as crossed when the previous centre, taken as the current one
// minus the current velocity, lies strictly outside the edge's line and the
// current centre on it or beyond, with the other coordinate within the edge's
// span, ends included. Each test reads the ball afresh, so a reflection is seen
// by every later test of this brick and of the bricks after it.
void BrickMFD::CollideBricks() {
  for (Brick &b : bricks) {
    if (!b.alive) continue;
    const double x = b.x, y = b.y, w = b.w, h = b.h;

    bool crossed = false;
    if (ballVY < 0)
      crossed = y + h >= ballY && ballY - ballVY > y + h;
    else if (ballVY > 0)
      crossed = y <= ballY && ballY - ballVY < y;
    if (crossed && x <= ballX && ballX <= x + w) {
      --b.hits;
      ballVY = -ballVY;
      ++score;
      DrawBricks();
    }

    crossed = false;
    if (ballVX > 0)
      crossed = x <= ballX && ballX - ballVX < x;
    else if (ballVX < 0)
      crossed = x + w >= ballX && ballX - ballVX > x + w;
    if (crossed && y <= ballY && ballY <= y + h) {
      --b.hits;
      ballVX = -ballVX;
      ++score;
      DrawBricks();
    }

    // Retired only now, so the redraws above still show the finishing hit.
    if (b.hits <= 0) b.alive = false;
  }
}
