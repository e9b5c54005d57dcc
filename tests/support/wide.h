// Exact integer arithmetic for the tests' reference geometry, which spans the
// whole int range: the product of two values below 2^64 always fits in these.
#pragma once

#include <cstdint>

namespace standin {

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UWide;

// The largest r with r * r <= n.
inline std::uint64_t SquareRootFloor(UWide n) {
  std::uint64_t r = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const std::uint64_t candidate = r | (std::uint64_t{1} << bit);
    if (static_cast<UWide>(candidate) * candidate <= n) r = candidate;
  }
  return r;
}

}  // namespace standin
