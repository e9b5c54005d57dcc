// The outline of an ellipse inscribed in a box, one pixel row at a time, so a
// caller draws only the rows it can see, however large the box.
#pragma once

#include <array>
#include <cstdint>

namespace standin {

// Columns first..last inclusive.
struct Span {
  std::int64_t first;
  std::int64_t last;
};

// An 8-connected closed curve in a box of width × height pixels (columns 0 to
// width − 1, rows 0 to height − 1), mirrored about the box's centre in both
// axes and touching all four sides. Near the top and bottom, where the curve
// is flat, each column takes the row nearest the ideal ellipse through the
// outermost pixel centres; along the steep sides each row takes the nearest
// column; rows are joined where the curve moves more than one pixel sideways.
class EllipseRows {
 public:
  // Both sides from 3 to 2^32 − 1.
  EllipseRows(std::int64_t width, std::int64_t height);

  struct Outline {
    std::array<Span, 2> spans;  // left part first
    int count;                  // 1 on the top and bottom rows, else 2
  };
  // The outline's columns on row y, 0 <= y < height.
  Outline Row(std::int64_t y) const;
  // The columns from the outline's leftmost to its rightmost pixel on row y.
  Span Extent(std::int64_t y) const;

 private:
  // The outline's leftmost column on row y of the upper half.
  std::int64_t LeftEdge(std::int64_t y) const;
  std::int64_t UpperRow(std::int64_t y) const { return y < height_ - 1 - y ? y : height_ - 1 - y; }

  std::int64_t width_;
  std::int64_t height_;
  std::int64_t rowsInHalf_;  // rows of the upper half, the middle row included
};

}  // namespace standin
