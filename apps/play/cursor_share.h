// The cursor the host reports to each display's repaint. A display module may
// keep one last cursor position for all its displays, as this game does, and
// then the display repainted first after a move would take all of it. The
// host is free to say what its cursor reads at each repaint: the display under
// the pointer is told where the pointer is, any other display what was
// reported last, so only the display under the pointer sees the travel.
// Travel made over no display reaches none. The travel may be scaled: a
// module that moves its paddle by half the cursor's travel then follows the
// pointer one to one.
#pragma once

#include <optional>

#include "apps/play/layout.h"

namespace play {

class CursorShare {
 public:
  // The pointer's travel is reported `scale` times over.
  explicit CursorShare(int scale = 1) : scale_(scale) {}

  // What to report before display `display` repaints, with the pointer at
  // `pointer` (desktop coordinates) over display `over`, or over none (as
  // while the cockpit is paused: that travel is dropped).
  Point ForRepaint(int display, Point pointer, std::optional<int> over) {
    if (!started_) {  // the first reading: no travel yet
      started_ = true;
      reported_ = last_ = pointer;
    }
    if (over == display) {
      reported_.x += (pointer.x - last_.x) * scale_;
      reported_.y += (pointer.y - last_.y) * scale_;
      last_ = pointer;
    } else if (!over) {
      last_ = pointer;
    }
    return reported_;
  }

 private:
  int scale_;
  bool started_ = false;
  Point reported_{0, 0};
  Point last_{0, 0};  // where the pointer's travel was last given or dropped
};

}  // namespace play
