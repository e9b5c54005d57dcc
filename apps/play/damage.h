// What changed between two pictures of the same size, as a few rectangles, so
// that the window sends only those to the screen.
#pragma once

#include <vector>

#include "apps/play/layout.h"
#include "standin/images/image.h"

namespace play {

// Rows that differ, grouped: consecutive changed rows make one rectangle as
// wide as their changes. More than `most` such groups are given as their
// bounding box. Empty when the pictures are equal; the whole picture when the
// sizes differ.
std::vector<Rect> Changes(const standin::Image &before, const standin::Image &after, int most = 16);

}  // namespace play
