// The brick field: laid out at the start of a game, drawn every played frame,
// and counted to detect a cleared field.
#include "game/BrickMFD.h"

void BrickMFD::LayoutBricks() {
  const double s = Scale();
  const int stepX = Trunc(35 * s);
  const int stepY = Trunc(24 * s);
  const int firstX = Trunc(s + s);
  int cursorY = Trunc(45 * s);
  int cursorX = firstX;
  int row = 0;
  for (int i = 0; i < brickCount; ++i) {
    Brick &b = bricks[i];
    b.y = cursorY;
    b.x = cursorX;
    b.w = Trunc(width * 0.003125 * 30);
    b.h = Trunc(width * 0.003125 * 10);
    b.alive = true;
    // The first and last nine are strong, whichever rows they land in.
    if (i < 9 || i > 50) {
      b.hits = 2;
      b.pen = 3;
    } else {
      b.hits = 1;
      b.pen = 2;
    }
    cursorX += stepX;
    // Rows wrap on the width alone; the height is never checked.
    if (cursorX + stepX > width) {
      ++row;
      cursorX = row % 2 == 0 ? firstX : Trunc(stepX * 0.5 + firstX);
      cursorY += stepY;
    }
  }
}

// Bricks are stacks of horizontal pen lines; no fill or outline call.
void BrickMFD::DrawBricks() {
  for (const Brick &b : bricks) {
    PutPen(b.pen);
    if (!b.alive) continue;
    for (int k = 0; k < b.h; ++k) PutLine(b.x, b.y + k, b.x + b.w, b.y + k);
  }
}

void BrickMFD::CountBricks() {
  int alive = 0;
  for (const Brick &b : bricks)
    if (b.alive) ++alive;
  if (alive == 0) ++levelClear;
}
