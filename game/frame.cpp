// The game display's life: construction, the repaint entry, the frame sequence
// with its physics sub-steps, and the new-game reset.
#include <cstdio>

#include "game/BrickMFD.h"

BrickMFD::BrickMFD(unsigned long w, unsigned long h, VESSEL *vessel) : MFD(w, h, vessel) {
  height = static_cast<int>(h);
  width = static_cast<int>(w);
  const double s = Scale();
  ballVX = ballVY = 0;
  paddleWidth = Trunc(35 * s);
  paddleHeight = Trunc(10 * s);
  paddleBottom = Trunc(height - 10 * s);
  ballRadius = Trunc(3 * s);
  newGamePending = true;
  ballOnPaddle = true;
  gameOver = false;
  ballReleased = false;
  levelClear = 0;
  score = 0;
  ballsLeft = 1;
  // The first frame moves the paddle by half the cursor travel and clamps it;
  // starting centred keeps it on the display whatever the cursor did before.
  paddleX = (width - paddleWidth) / 2;
}

BrickMFD::~BrickMFD() {}

// Every size derives from this factor, close to width / 320. It is a product, not
// a quotient, since dividing differs in the last bit for some widths.
double BrickMFD::Scale() const { return width * 0.003125; }

void BrickMFD::Repaint(HDC hdc) {
  surface = hdc;
  PutTextColour(0x00FF00);
  PrintLine(beginMarker);
  Step(false);
  if (debugReadout) {
    char text[512];
    const int count = std::snprintf(text, sizeof text, "%f", ballVY);
    PutText(0, LineY(18), text, count);
  }
}

void BrickMFD::Step(bool launch) {
  TrackMouse();
  DrawStatus();
  if (launch) LaunchBall();
  if (levelClear == 0 && !newGamePending) CountBricks();
  if (gameOver || levelClear == 1) return;  // the status line is all there is

  if (newGamePending) {
    ballOnPaddle = true;
    ballReleased = false;
    LayoutBricks();
  }
  DrawBricks();
  DrawPaddle();
  RestBallOnPaddle();
  DrawBall();
  // A resting ball runs one sub-step and a lost one ends the frame.
  for (int i = 0; i < 10; ++i) {
    MoveBall();
    CollideBricks();
    CollideWallsAndPaddle();
    if (ballOnPaddle || gameOver) break;
  }
  newGamePending = false;
}

void BrickMFD::NewGame() {
  const double s = Scale();
  ballX = AddWrap(paddleWidth / 2, paddleX);
  ballY = SubWrap(paddleBottom, paddleHeight);
  ballVX = ballVY = 0;
  paddleWidth = Trunc(35 * s);
  paddleHeight = Trunc(10 * s);
  paddleBottom = Trunc(height - 10 * s);
  score = 0;
  ballReleased = false;
  levelClear = 0;
  newGamePending = true;
  ballsLeft = 1;
}
