// The pixels of a line as the platform draws it with a one-pixel pen.
#pragma once

#include <cstdint>
#include <optional>

namespace standin {

// A Bresenham walk along the line's major axis, one pixel per step: the start is
// drawn, the end is not. The minor coordinate is the one nearest the ideal line;
// a tie goes to the smaller coordinate, so a line covers the same pixels drawn
// either way round (but for its end points).
class LineWalk {
 public:
  // The part of the line from (x0, y0) to (x1, y1) that lies on a `width` ×
  // `height` surface, found without walking the rest; nothing for a line of
  // zero length or one that misses the surface.
  static std::optional<LineWalk> Clip(int x0, int y0, int x1, int y1, int width, int height);

  // Sets every pixel of the walk to `colour` in rows of `stride` pixels from
  // `pixels`, stepping an index along the line with the same error term.
  void Draw(std::uint32_t *pixels, std::ptrdiff_t stride, std::uint32_t colour) const {
    const std::ptrdiff_t majorStride = xMajor_ ? majorStep_ : majorStep_ * stride;
    const std::ptrdiff_t minorStride = xMajor_ ? minorStep_ * stride : minorStep_;
    std::ptrdiff_t at = static_cast<std::ptrdiff_t>(xMajor_ ? minor_ : major_) * stride +
                        static_cast<std::ptrdiff_t>(xMajor_ ? major_ : minor_);
    std::int64_t rest = rest_;
    for (std::int64_t i = 0; i < count_; ++i) {
      pixels[at] = colour;
      at += majorStride;
      rest += twoMinor_;
      if (rest >= twoMajor_) {
        rest -= twoMajor_;
        at += minorStride;
      }
    }
  }

  std::int64_t Count() const { return count_; }

  // The smallest box holding every pixel of the walk, corners included.
  struct Box {
    std::int64_t left, top, right, bottom;
  };
  Box Bounds() const;

 private:
  LineWalk() = default;

  bool xMajor_ = true;
  std::int64_t major_ = 0;  // first visible pixel
  std::int64_t minor_ = 0;
  std::int64_t count_ = 0;  // visible pixels
  int majorStep_ = 1;
  int minorStep_ = 0;
  std::int64_t rest_ = 0;  // remainder of the minor offset, in units of 1 / twoMajor_
  std::int64_t twoMinor_ = 0;
  std::int64_t twoMajor_ = 1;
};

}  // namespace standin
