// A game caught at one moment and put back there before every frame, so a
// benchmark measures the same frame however many iterations it runs.
#pragma once

#include "game/BrickMFD.h"

namespace bench {

enum class Moment {
  FieldFull,  // the ball just released, all 60 bricks standing
  MidGame,    // played on until half the bricks are gone
};

class FixedGame {
 public:
  // A `width` × `height` display's game at `moment`, played without drawing.
  FixedGame(int width, int height, Moment moment);

  // The game at its moment again, module-wide state included.
  BrickMFD &Restore();

 private:
  BrickMFD saved_;
  BrickMFD game_;
  int lastCursorX_ = 0;
  int printLine_ = -1;
};

}  // namespace bench
