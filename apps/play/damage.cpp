#include "apps/play/damage.h"

#include <algorithm>

namespace play {

std::vector<Rect> Changes(const standin::Image &before, const standin::Image &after, int most) {
  if (before.width != after.width || before.height != after.height) return {{0, 0, after.width, after.height}};
  std::vector<Rect> changes;
  const int width = after.width;
  int top = -1, left = width, right = 0;  // the group being gathered, rows top to now
  for (int y = 0; y <= after.height; ++y) {
    bool changed = false;
    if (y < after.height) {
      const std::uint32_t *a = &before.pixels[static_cast<std::size_t>(y) * width];
      const std::uint32_t *b = &after.pixels[static_cast<std::size_t>(y) * width];
      if (!std::equal(a, a + width, b)) {
        changed = true;
        int x0 = 0, x1 = width;
        while (a[x0] == b[x0]) ++x0;
        while (a[x1 - 1] == b[x1 - 1]) --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
        if (top < 0) top = y;
      }
    }
    if (!changed && top >= 0) {
      changes.push_back({left, top, right - left, y - top});
      top = -1, left = width, right = 0;
    }
  }
  if (static_cast<int>(changes.size()) > most) {
    Rect all = changes.front();
    for (const Rect &r : changes) {
      const int x0 = std::min(all.x, r.x), y0 = std::min(all.y, r.y);
      all = {x0, y0, std::max(all.Right(), r.Right()) - x0, std::max(all.Bottom(), r.Bottom()) - y0};
    }
    changes.assign(1, all);
  }
  return changes;
}

}  // namespace play
