// The desktop cursor position the host reports to the module, as best known
// from two sources: SDL's global mouse state, which some window systems bring
// up to date only on input from a real device (not on synthetic input, such as
// a test driver's), and the pointer's motion over the window, which every
// window system reports. Whichever of the two changed last wins.
#pragma once

#include <optional>

#include "apps/play/layout.h"

namespace play {

class CursorTracker {
 public:
  // A reading of the global mouse state; only a change moves the cursor.
  void Global(Point p) {
    if (lastGlobal_ == p) return;
    lastGlobal_ = p;
    position_ = p;
  }
  // The pointer seen moving over the window, at `p` in desktop coordinates.
  void OverWindow(Point p) { position_ = p; }
  Point Position() const { return position_; }

 private:
  std::optional<Point> lastGlobal_;
  Point position_;
};

}  // namespace play
