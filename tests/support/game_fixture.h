// A game display on a recording surface, with the module-wide state as a freshly
// loaded module has it, for tests that drive BrickMFD directly.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/BrickMFD.h"
#include "standin/core/host.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"

namespace velbrik_test {

class GameTest : public ::testing::Test {
 protected:
  GameTest() { surface.Attach(recorder); }
  // Opens a display of the given size: module state fresh, cursor at 0.
  void Open(int width, int height);
  void TearDown() override;

  void Repaint() { game->Repaint(surface.Handle()); }
  void SetCursor(int x) { standin::Host::Instance().SetCursor(POINT{x, 0}); }
  // The trace lines recorded since the last call, which forgets them.
  std::vector<std::string> Take();
  // Retires every brick but `keep` (-1: every brick).
  void RetireAllBut(int keep);
  // Puts the ball in flight at (x, y) with velocity (vx, vy).
  void Fly(double x, double y, double vx, double vy);

  standin::MemoryTrace trace;
  standin::Recorder recorder{trace};
  standin::Surface surface;
  std::unique_ptr<BrickMFD> game;
};

// How many of `lines` start with `prefix`.
int CountPrefix(const std::vector<std::string> &lines, const std::string &prefix);
// Whether `expected` appears within `lines` in order, not necessarily adjacent.
::testing::AssertionResult InOrder(const std::vector<std::string> &lines, const std::vector<std::string> &expected);
// Only the lines that do not start with any of `prefixes`.
std::vector<std::string> Without(const std::vector<std::string> &lines, const std::vector<std::string> &prefixes);

}  // namespace velbrik_test
