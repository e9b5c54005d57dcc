// The outline of an ellipse inscribed in a box, one pixel row at a time, so a
// caller draws only the rows it can see, however large the box.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace standin {

// Columns first..last inclusive.
struct Span {
  std::int64_t first;
  std::int64_t last;
};

// The platform's outline for a box of width × height pixels (columns 0 to
// width − 1, rows 0 to height − 1), mirrored about the box's centre in both
// axes. One quarter is the path of an integer walk: it starts at the middle
// row's rightmost pixel and steps left, down or diagonally by the signs of the
// curve's error terms until it passes the middle column. A narrow box's walk
// passes the middle column before the last row, so its top and bottom tips
// are cut off (a 3 × 44 box leaves 6 rows empty at each end).
class EllipseRows {
 public:
  // Both sides from 3 to 2^32 − 1.
  EllipseRows(std::int64_t width, std::int64_t height);

  struct Outline {
    std::array<Span, 2> spans;  // left part first
    int count;                  // 0 where the tips are cut off, 1 where both parts meet, else 2
  };
  // The outline's columns on row y, 0 <= y < height.
  Outline Row(std::int64_t y) const;
  // The columns from the outline's leftmost to its rightmost pixel on row y;
  // first > last where the row has none.
  Span Extent(std::int64_t y) const;

  // Works every row out now and keeps it, so that each row after is looked
  // up; for boxes that are drawn again and again. Memory grows with the height.
  void Tabulate();

 private:
  // On the walk's rows (the lower half, y from height / 2), x is a column from
  // width / 2 to width − 1.
  Span WalkRow(std::int64_t y) const;
  std::int64_t Leaves(std::int64_t y) const;
  std::int64_t Enters(std::int64_t y) const;
  std::int64_t Step(std::int64_t x, std::int64_t y) const;
  bool EndsOn(std::int64_t y) const;
  bool DownAt(std::int64_t x, std::int64_t y) const;
  bool LeftAt(std::int64_t x, std::int64_t y) const;
  std::int64_t LastDown(std::int64_t y) const;
  std::int64_t LastStay(std::int64_t y) const;

  std::int64_t a_, b_;      // width − 1, height − 1
  std::int64_t firstX_;     // width / 2, the walk's last column
  std::int64_t firstY_;     // height / 2, the walk's first row
  std::int64_t lastY_;      // the walk's last row
  bool lastRowToTheEnd_;    // the last row runs on to the middle column
  std::vector<Span> rows_;  // WalkRow of each walk row from firstY_, once tabulated
};

}  // namespace standin
