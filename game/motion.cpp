// Ball and paddle motion: the paddle follows the mouse, the ball is launched,
// rests on the paddle, moves, and rebounds from the walls and the paddle.
#include <cmath>

#include "game/BrickMFD.h"

int lastCursorX = 0;

void BrickMFD::TrackMouse() {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;  // an unreadable cursor leaves the paddle be
  paddleX = AddWrap(paddleX, SubWrap(cursor.x, lastCursorX) / 2);
  lastCursorX = cursor.x;
  // Only the left limit here: DrawPaddle applies the right one in played frames.
  if (paddleX < 0) paddleX = 0;
}

void BrickMFD::LaunchBall() {
  ballX = AddWrap(paddleX, paddleWidth / 2);
  ballY = SubWrap(paddleBottom, paddleHeight);
  // The paddle is not clamped yet at this point of the frame.
  if (AddWrap(paddleX, paddleWidth) > width) ballX = width - paddleWidth / 2;
  ballOnPaddle = false;
  ballReleased = true;
  const double s = Scale();
  ballVX = 0.5 * s;
  ballVY = -1.0 * s;
}

void BrickMFD::RestBallOnPaddle() {
  if (!ballOnPaddle) return;
  PrintReleasePrompt();
  ballX = AddWrap(paddleWidth / 2, paddleX);
  ballY = SubWrap(SubWrap(paddleBottom, paddleHeight), ballRadius / 2);
  ballVX = ballVY = 0;
}

void BrickMFD::MoveBall() {
  ballX += ballVX;
  ballY += ballVY;
}

// Walls flip a velocity component without moving the ball back inside.
void BrickMFD::CollideWallsAndPaddle() {
  const double r = ballRadius;
  if (width <= ballX + r) ballVX = -ballVX;
  if (ballX - r <= 0) ballVX = -ballVX;
  if (ballY - r <= 0) ballVY = -ballVY;

  const double paddleTop = SubWrap(paddleBottom, paddleHeight);
  if (!(paddleTop < ballY + r && ballVY > 0)) return;

  if (paddleX <= ballX && ballX <= AddWrap(paddleX, paddleWidth)) {
    // Rebound at the same speed, steered by where the ball meets the paddle,
    // always upwards and at least 0.2 rad off the horizontal.
    const double pi = 3.14159265358979;
    const double speed = std::sqrt(ballVX * ballVX + ballVY * ballVY);
    double angle = std::acos(ballVX / speed);
    debugReadout = false;
    angle = angle + (ballX - (paddleWidth * 0.5 + paddleX)) * -0.05;
    if (angle < 0.2) angle = 0.2;
    if (angle + 0.2 > pi) angle = pi - 0.2;
    ballVX = std::cos(angle) * speed;
    ballVY = -(std::sin(angle) * speed);
    DrawBall();
    return;
  }

  --ballsLeft;
  ballOnPaddle = true;
  ballReleased = false;
  if (ballsLeft == -1) gameOver = true;
}
