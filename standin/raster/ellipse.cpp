#include "standin/raster/ellipse.h"

#include <algorithm>

#include "standin/raster/wide.h"

namespace standin {

EllipseRows::EllipseRows(std::int64_t width, std::int64_t height)
    : width_(width), height_(height), rowsInHalf_((height + 1) / 2) {}

// In doubled coordinates about the box's centre, column x lies at u = 2x − a
// and row y at v = 2y − b, where a = width − 1 and b = height − 1; the ideal
// curve is u²b² + v²a² = a²b². Row y is flat when the curve's slope at the
// half-row below it is under one: there it starts at the first column whose
// centre lies inside the curve at that half-row, otherwise at the column
// nearest the curve on its own centre line. The middle row spans the box.
std::int64_t EllipseRows::LeftEdge(std::int64_t y) const {
  const std::int64_t a = width_ - 1, b = height_ - 1, centre = a / 2;
  if (y >= rowsInHalf_ - 1) return 0;
  const std::int64_t v = 2 * y - b;
  const std::int64_t below = v + 1;
  const UWide aa = static_cast<UWide>(a) * a, bb = static_cast<UWide>(b) * b;
  const UWide belowSquared = static_cast<UWide>(-below) * -below;
  const bool flat = belowSquared * aa > bb * (bb - belowSquared);
  const std::int64_t line = flat ? below : v;
  const std::int64_t half = flat ? 0 : 1;  // the flat test is on the centre, the steep one half a column out
  const UWide lineSquared = static_cast<UWide>(-line) * -line;
  // Columns u with |u + half| <= reach lie inside the curve on that line.
  const auto reach = static_cast<std::int64_t>(SquareRootFloor(aa * (bb - lineSquared) / bb));
  const std::int64_t gap = a - half - reach;  // the first column is ceil(gap / 2)
  const std::int64_t x = gap <= 0 ? 0 : (gap + 1) / 2;
  return std::min(x, centre);
}

EllipseRows::Outline EllipseRows::Row(std::int64_t y) const {
  const std::int64_t row = UpperRow(y);
  const std::int64_t left = LeftEdge(row);
  if (row == 0) return {{{{left, width_ - 1 - left}, {}}}, 1};
  // The run reaches over to the row nearer the rim so the curve stays unbroken;
  // its corner pixel is dropped where the row nearer the middle covers it.
  std::int64_t first = left;
  const std::int64_t last = std::max(left, LeftEdge(row - 1) - 1);
  if (row + 1 < rowsInHalf_ && last > first && LeftEdge(row + 1) == left) ++first;
  return {{{{first, last}, {width_ - 1 - last, width_ - 1 - first}}}, 2};
}

Span EllipseRows::Extent(std::int64_t y) const {
  const std::int64_t left = Row(y).spans[0].first;
  return {left, width_ - 1 - left};
}

}  // namespace standin
