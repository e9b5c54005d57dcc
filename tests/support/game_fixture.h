// A game display drawing onto a recording surface, with the module-wide state
// as a freshly loaded module has it, for tests that drive BrickMFD directly.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/BrickMFD.h"
#include "standin/core/host.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"

namespace velbrik_test {

using Lines = std::vector<std::string>;

class GameTest : public ::testing::Test {
 protected:
  GameTest() { surface.Attach(recorder); }
  ~GameTest() override {
    game.reset();
    standin::Host::Instance().Reset();
  }

  // Every test starts on a 320x200 display; Open gives another.
  void SetUp() override { Open(320, 200); }
  // Opens a display of the given size on the surface: cursor at 0, nothing drawn.
  void Open(int width, int height) {
    lastCursorX = 0;
    printLine = -1;
    standin::Host &host = standin::Host::Instance();
    host.Reset();
    host.SetLog(&trace);
    game = std::make_unique<BrickMFD>(width, height, host.Vessel());
    game->surface = surface.Handle();
    trace.lines.clear();
  }
  // A 320x200 game after its first frame: paddle at 142..177, ball resting.
  void Start() {
    Open(320, 200);
    Repaint();
    Take();
  }
  void Repaint() { game->Repaint(surface.Handle()); }
  void SetCursor(int x) { standin::Host::Instance().SetCursor(POINT{x, 0}); }
  // The trace lines recorded since the last call.
  Lines Take() { return std::exchange(trace.lines, {}); }
  // Puts the ball in flight at (x, y) with velocity (vx, vy).
  void Fly(double x, double y, double vx, double vy) {
    game->ballX = x;
    game->ballY = y;
    game->ballVX = vx;
    game->ballVY = vy;
    game->ballOnPaddle = false;
    game->ballReleased = true;
  }

  standin::MemoryTrace trace;
  standin::Recorder recorder{trace};
  standin::Surface surface;
  std::unique_ptr<BrickMFD> game;
};

}  // namespace velbrik_test
