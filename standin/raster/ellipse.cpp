#include "standin/raster/ellipse.h"

#include <algorithm>

namespace standin {
namespace {

// An unsigned 128-bit value in two words: products of two 64-bit values,
// compared exactly.
struct Product {
  std::uint64_t high;
  std::uint64_t low;
  friend bool operator<(const Product &p, const Product &q) {
    return p.high != q.high ? p.high < q.high : p.low < q.low;
  }
  friend bool operator<=(const Product &p, const Product &q) { return !(q < p); }
};

Product Multiply(std::uint64_t x, std::uint64_t y) {
  const std::uint64_t xl = x & 0xFFFFFFFFu, xh = x >> 32, yl = y & 0xFFFFFFFFu, yh = y >> 32;
  const std::uint64_t ll = xl * yl, lh = xl * yh, hl = xh * yl, hh = xh * yh;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & 0xFFFFFFFFu)};
}

std::uint64_t Square(std::int64_t v) {
  const auto m = static_cast<std::uint64_t>(v < 0 ? -v : v);
  return m * m;
}

// The largest s in [0, limit] with fits(s), fits being true up to some point.
template <typename Fits>
std::int64_t LargestFitting(std::int64_t limit, Fits fits) {
  std::int64_t low = 0, high = limit;
  while (low < high) {
    const std::int64_t middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace

// The walk, in doubled coordinates about the box's centre: column x is at
// u = 2x − a, row y at v = 2y − b, and the curve is f(u, v) = u²b² + v²a² − a²b².
// From a pixel, the walk steps left when 2·f at the diagonal neighbour is at
// least the change in f a step left makes, and down (away from the middle
// row) when it is at most the change a step down makes; both at once is a
// diagonal step. Worked out, the two tests are
//   left:  b²((u − 1)² + 1) >= a²(b² − (v + 2)²)
//   down:  b²(u − 2)²       <= a²(b² − (v + 1)² − 1)
// With these in closed form each row's pixels follow from the row above
// without walking there.
EllipseRows::EllipseRows(std::int64_t width, std::int64_t height)
    : a_(width - 1), b_(height - 1), firstX_(width / 2), firstY_(height / 2) {
  // The walk ends on the first row where it cannot step down any more; every
  // row after it has that too.
  std::int64_t low = firstY_, high = b_;
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (EndsOn(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  lastRowToTheEnd_ = Enters(low) >= firstX_;
  lastY_ = lastRowToTheEnd_ ? low : low - 1;
}

bool EllipseRows::LeftAt(std::int64_t x, std::int64_t y) const {
  const std::int64_t u = 2 * x - a_, below = 2 * y - b_ + 2;
  if (below >= b_) return true;
  const std::uint64_t bb = Square(b_);
  return Multiply(Square(a_), bb - Square(below)) <= Multiply(bb, Square(u - 1) + 1);
}

bool EllipseRows::DownAt(std::int64_t x, std::int64_t y) const {
  const std::int64_t u = 2 * x - a_, v = 2 * y - b_;
  const std::uint64_t bb = Square(b_), rest = Square(v + 1) + 1;
  return rest <= bb && Multiply(bb, Square(u - 2)) <= Multiply(Square(a_), bb - rest);
}

// The rightmost column (at most a) where the walk steps down from row y, or
// firstX_ − 3 if none: the down test holds for |u − 2| <= s.
std::int64_t EllipseRows::LastDown(std::int64_t y) const {
  const std::int64_t v = 2 * y - b_;
  const std::uint64_t bb = Square(b_), rest = Square(v + 1) + 1;
  if (rest > bb) return firstX_ - 3;
  const Product room = Multiply(Square(a_), bb - rest);
  const std::int64_t s = LargestFitting(a_, [&](std::int64_t t) { return Multiply(bb, Square(t)) <= room; });
  std::int64_t u = std::min(a_, 2 + s);
  if ((u - a_) % 2 != 0) --u;
  return u < 2 - s ? firstX_ - 3 : (u + a_) / 2;
}

// The rightmost column (at most a) where the walk does not step left from
// row y − 1, or firstX_ − 3 if none: that is |u − 1| <= t.
std::int64_t EllipseRows::LastStay(std::int64_t y) const {
  const std::int64_t v = 2 * (y - 1) - b_ + 2;
  const std::uint64_t bb = Square(b_), vv = Square(v);
  if (vv >= bb) return firstX_ - 3;
  const Product room = Multiply(Square(a_), bb - vv);
  if (room <= Multiply(bb, 1)) return firstX_ - 3;
  const std::int64_t t = LargestFitting(a_, [&](std::int64_t s) { return Multiply(bb, Square(s) + 1) < room; });
  std::int64_t u = std::min(a_, 1 + t);
  if ((u - a_) % 2 != 0) --u;
  return u < 1 - t ? firstX_ - 3 : (u + a_) / 2;
}

// Where the walk leaves row y: where it may first step down, unless it came
// in further left, at the last column where it did not step left.
std::int64_t EllipseRows::Leaves(std::int64_t y) const {
  return std::min(LastDown(y), y == firstY_ ? a_ : LastStay(y));
}

std::int64_t EllipseRows::Step(std::int64_t x, std::int64_t y) const {
  return x < firstX_ ? x : x - (LeftAt(x, y) ? 1 : 0);
}

std::int64_t EllipseRows::Enters(std::int64_t y) const { return y == firstY_ ? a_ : Step(Leaves(y - 1), y - 1); }

bool EllipseRows::EndsOn(std::int64_t y) const {
  const std::int64_t enters = Enters(y);
  if (enters < firstX_) return true;
  // The column nearest u = 2 the walk can reach on this row.
  const std::int64_t uLast = 2 * enters - a_, uFirst = 2 * firstX_ - a_;
  const std::int64_t u = uLast >= 2 ? 2 + (uFirst % 2) : uLast;
  return !DownAt((u + a_) / 2, y);
}

void EllipseRows::Tabulate() {
  std::vector<Span> rows;
  for (std::int64_t y = firstY_; y <= lastY_; ++y) rows.push_back(WalkRow(y));
  rows_ = std::move(rows);
}

Span EllipseRows::WalkRow(std::int64_t y) const {
  if (!rows_.empty()) return rows_[static_cast<std::size_t>(y - firstY_)];
  const std::int64_t enters = Enters(y);
  if (y == lastY_ && lastRowToTheEnd_) return {firstX_, enters};
  return {std::max(Leaves(y), firstX_), enters};
}

EllipseRows::Outline EllipseRows::Row(std::int64_t y) const {
  const std::int64_t row = std::max(y, b_ - y);
  if (row > lastY_) return {{}, 0};
  const Span right = WalkRow(row);
  const Span left{a_ - right.last, a_ - right.first};
  if (left.last + 1 >= right.first) return {{{{left.first, right.last}, {}}}, 1};
  return {{{left, right}}, 2};
}

Span EllipseRows::Extent(std::int64_t y) const {
  const std::int64_t row = std::max(y, b_ - y);
  if (row > lastY_) return {0, -1};
  const Span right = WalkRow(row);
  return {a_ - right.last, right.last};
}

}  // namespace standin
