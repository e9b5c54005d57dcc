#include "bench/fixed_game.h"

#include "standin/core/host.h"

namespace bench {
namespace {

int Standing(const BrickMFD &game) {
  int alive = 0;
  for (const Brick &brick : game.bricks) alive += brick.alive ? 1 : 0;
  return alive;
}

// Plays one frame with the paddle kept under the ball, so the game goes on.
void PlayFrame(BrickMFD &game) {
  game.paddleX = static_cast<int>(game.ballX) - game.paddleWidth / 2;
  game.Repaint(nullptr);
}

BrickMFD Played(int width, int height, Moment moment) {
  standin::Host::Instance().Reset();
  lastCursorX = 0;
  printLine = -1;
  BrickMFD game(static_cast<unsigned long>(width), static_cast<unsigned long>(height),
                standin::Host::Instance().Vessel());
  game.Repaint(nullptr);
  game.ConsumeKeyBuffered(OAPI_KEY_R);
  PlayFrame(game);
  // A game that cannot get there in reasonable time stops where it is.
  for (int frame = 0; moment == Moment::MidGame && frame < 100000 && Standing(game) > brickCount / 2; ++frame) {
    if (game.gameOver || !game.ballReleased) game.ConsumeKeyBuffered(OAPI_KEY_R);
    PlayFrame(game);
  }
  return game;
}

}  // namespace

FixedGame::FixedGame(int width, int height, Moment moment)
    : saved_(Played(width, height, moment)), game_(saved_), lastCursorX_(lastCursorX), printLine_(printLine) {}

BrickMFD &FixedGame::Restore() {
  game_ = saved_;
  lastCursorX = lastCursorX_;
  printLine = printLine_;
  return game_;
}

}  // namespace bench
