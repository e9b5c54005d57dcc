// The outlines of the boxes a raster draws, worked out once per box size: a
// display's ellipses are the same few small boxes frame after frame.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "standin/raster/ellipse.h"

namespace standin {

class EllipseCache {
 public:
  static constexpr std::int64_t kMaxHeight = 2048;  // taller boxes are worked out row by row, each time
  static constexpr std::size_t kMaxBoxes = 64;      // beyond this the cache starts again

  // The tabulated outline of a width × height box (sides from 3 to 2^32 − 1),
  // or null for a box too tall to keep. Valid until the next call.
  const EllipseRows *Find(std::int64_t width, std::int64_t height);

 private:
  std::unordered_map<std::uint64_t, std::unique_ptr<EllipseRows>> boxes_;
  std::uint64_t lastKey_ = 0;  // the box found last, and its outline
  const EllipseRows *last_ = nullptr;
};

}  // namespace standin
