#include "standin/raster/line.h"

#include <algorithm>

#include "standin/raster/muldiv.h"

namespace standin {
namespace {

struct Range {
  std::int64_t first;
  std::int64_t last;  // inclusive; empty when last < first
};

// The offsets i for which start + step * i lies in [0, size).
Range OffsetsOnSurface(std::int64_t start, int step, int size) {
  if (step < 0) return {start - (size - 1), start};
  return {-start, size - 1 - start};
}

int Sign(std::int64_t v) { return (v > 0) - (v < 0); }

}  // namespace

// Pixel i (0 <= i < n) of a line with major length n and minor length m lies at
// minor offset k(i) = floor((2mi + n - 1 + bias) / 2n): the nearest to m·i/n,
// a tie rounding down (bias 0) when the minor axis runs forwards and up (bias
// 1) when it runs backwards. k never decreases, so each bound on the surface
// turns into a bound on i.
std::optional<LineWalk> LineWalk::Clip(int x0, int y0, int x1, int y1, int width, int height) {
  const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
  if ((dx == 0 && dy == 0) || width <= 0 || height <= 0) return std::nullopt;

  LineWalk walk;
  walk.xMajor_ = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
  const std::int64_t majorDelta = walk.xMajor_ ? dx : dy, minorDelta = walk.xMajor_ ? dy : dx;
  const std::int64_t majorStart = walk.xMajor_ ? x0 : y0, minorStart = walk.xMajor_ ? y0 : x0;
  const int majorSize = walk.xMajor_ ? width : height, minorSize = walk.xMajor_ ? height : width;
  walk.majorStep_ = Sign(majorDelta);
  walk.minorStep_ = Sign(minorDelta);
  const std::int64_t n = majorDelta < 0 ? -majorDelta : majorDelta;
  const std::int64_t m = minorDelta < 0 ? -minorDelta : minorDelta;
  const std::int64_t bias = walk.minorStep_ < 0 ? 1 : 0;

  walk.twoMajor_ = 2 * n;
  walk.twoMinor_ = 2 * m;
  if (x0 >= 0 && y0 >= 0 && x1 >= 0 && y1 >= 0 && x0 < width && x1 < width && y0 < height && y1 < height) {
    // All on the surface: the walk from its start, k(0) = 0 with n - 1 + bias left over.
    walk.major_ = majorStart;
    walk.minor_ = minorStart;
    walk.rest_ = n - 1 + bias;
    walk.count_ = n;
    return walk;
  }

  const Range steps = OffsetsOnSurface(majorStart, walk.majorStep_, majorSize);
  std::int64_t first = std::max<std::int64_t>(steps.first, 0);
  std::int64_t last = std::min(steps.last, n - 1);

  Range offsets = OffsetsOnSurface(minorStart, walk.minorStep_ < 0 ? -1 : 1, minorSize);
  if (offsets.last < 0 || offsets.first > m) return std::nullopt;
  offsets = {std::max<std::int64_t>(offsets.first, 0), std::min(offsets.last, m)};
  // Every numerator below is at least 0; n and m are below 2^32.
  const auto un = static_cast<std::uint64_t>(n), um = static_cast<std::uint64_t>(m);
  if (m > 0) {
    if (offsets.first > 0) {  // first i with k(i) >= offsets.first: ceil((n (2 f - 1) + 1 - bias) / 2m)
      const auto f = static_cast<std::uint64_t>(offsets.first);
      const QuotientRemainder q = MulAddDiv(un, 2 * f - 1, 1 - bias + 2 * um - 1, 2 * um);
      first = std::max(first, static_cast<std::int64_t>(q.quotient));
    }
    // last i with k(i) <= offsets.last: floor((n (2 (l + 1) - 1) - bias) / 2m)
    const auto l = static_cast<std::uint64_t>(offsets.last);
    const QuotientRemainder q = MulAddDiv(un, 2 * l + 1, 0, 2 * um);
    std::uint64_t lastI = q.quotient;
    if (bias && q.remainder == 0) --lastI;  // (x - 1) / d for a multiple x of d
    last = std::min(last, static_cast<std::int64_t>(lastI));
  }
  if (first > last) return std::nullopt;

  const QuotientRemainder start =
      MulAddDiv(2 * um, static_cast<std::uint64_t>(first), un - 1 + static_cast<std::uint64_t>(bias), 2 * un);
  walk.major_ = majorStart + walk.majorStep_ * first;
  walk.minor_ = minorStart + walk.minorStep_ * static_cast<std::int64_t>(start.quotient);
  walk.rest_ = static_cast<std::int64_t>(start.remainder);
  walk.count_ = last - first + 1;
  return walk;
}

// The walk moves its minor coordinate once each time the remainder passes
// twoMajor_, and the remainder starts below it.
LineWalk::Box LineWalk::Bounds() const {
  const std::int64_t majorEnd = major_ + majorStep_ * (count_ - 1);
  const auto steps = MulAddDiv(static_cast<std::uint64_t>(twoMinor_), static_cast<std::uint64_t>(count_ - 1),
                               static_cast<std::uint64_t>(rest_), static_cast<std::uint64_t>(twoMajor_));
  const std::int64_t minorEnd = minor_ + minorStep_ * static_cast<std::int64_t>(steps.quotient);
  const std::int64_t majorLow = std::min(major_, majorEnd), majorHigh = std::max(major_, majorEnd);
  const std::int64_t minorLow = std::min(minor_, minorEnd), minorHigh = std::max(minor_, minorEnd);
  if (xMajor_) return {majorLow, minorLow, majorHigh, minorHigh};
  return {minorLow, majorLow, minorHigh, majorHigh};
}

}  // namespace standin
