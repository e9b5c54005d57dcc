// The cursor the host reports to each display's repaint. A display module may
// keep one last cursor position for all its displays, as this game does, and
// then the display repainted first after a move would take all of it. The
// host is free to say what its cursor reads at each repaint: the display under
// the pointer is told where the pointer is, any other display what was
// reported last, so only the display under the pointer sees the travel.
// Travel made over no display reaches none.
#pragma once

#include <optional>

#include "apps/play/layout.h"

namespace play {

class CursorShare {
 public:
  // What to report before display `display` repaints, with the pointer at
  // `pointer` (desktop coordinates) over display `over`, or over none.
  Point ForRepaint(int display, Point pointer, std::optional<int> over) {
    if (!reported_) reported_ = pointer;  // the first reading: no travel yet
    if (over == display) {
      reported_ = Point{pointer.x - offset_.x, pointer.y - offset_.y};
    } else if (!over) {
      offset_ = Point{pointer.x - reported_->x, pointer.y - reported_->y};
    }
    return *reported_;
  }

 private:
  std::optional<Point> reported_;
  Point offset_;  // pointer travel no display was given
};

}  // namespace play
