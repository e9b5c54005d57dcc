// The paddle, with its rounded ends and highlights, and the ball with its green
// core. DrawPaddle also applies the paddle's right-hand limit.
#include "game/BrickMFD.h"

void BrickMFD::DrawPaddle() {
  // Texts drawn later in the frame without a colour of their own take yellow.
  PutTextColour(0x00FFFF);
  if (AddWrap(paddleX, paddleWidth) > width) {
    paddleX = width - paddleWidth;
    if (ballOnPaddle) ballX = AddWrap(paddleWidth / 2, paddleX);
  }
  PutPen(5);

  const int h = paddleHeight;
  const int half = h / 2;
  const int top = SubWrap(paddleBottom, h);
  const int right = AddWrap(paddleX, paddleWidth);
  for (int k = 0; k < h; ++k) PutLine(AddWrap(paddleX, half), top + k, SubWrap(right, half), top + k);

  // Each end is h concentric circles, inset a pixel a side each time; past the
  // middle the boxes come out inverted and are passed on as they are.
  for (int k = 0; k < h; ++k) {
    PutEllipse(AddWrap(paddleX, k), top + k, AddWrap(paddleX, h - k), paddleBottom - k);
    PutEllipse(AddWrap(SubWrap(right, h), k), top + k, SubWrap(right, k), paddleBottom - k);
  }

  const COLORREF grey = 0x7F7F7F;
  PutPixel(AddWrap(paddleX, half - 1), paddleBottom - half - 2, grey);
  PutPixel(AddWrap(paddleX, half - 1), paddleBottom - half, grey);
  PutPixel(SubWrap(right, half), paddleBottom - half - 1, grey);
  PutPixel(SubWrap(right, half), paddleBottom - half - 2, grey);
  PutPixel(SubWrap(right, half), paddleBottom - half, grey);
  PutPen(1);
}

void BrickMFD::DrawBall() {
  PutPen(0);
  // Concentric circles from a point up to the full radius, the largest last.
  for (int k = 0; k <= ballRadius; ++k)
    PutEllipse(Trunc(ballX - k), Trunc(ballY - k), Trunc(ballX + k), Trunc(ballY + k));
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) PutPixel(Trunc(ballX + dx), Trunc(ballY + dy), 0x00FF00);
}
