// floor((a * b + c) / d) exactly, for unsigned 64-bit values whose product
// needs up to 128 bits, in portable arithmetic: the raster clips lines whose
// ends lie anywhere in the int range, where such products occur.
#pragma once

#include <cstdint>

namespace standin {

struct QuotientRemainder {
  std::uint64_t quotient;
  std::uint64_t remainder;
};

// Needs d > 0 and a quotient below 2^64.
constexpr QuotientRemainder MulAddDiv(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
  // The product in two words, from 32-bit halves.
  const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  std::uint64_t lo = (middle << 32) | (ll & 0xFFFFFFFFu);
  std::uint64_t hi = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
  lo += c;
  hi += lo < c;
  if (hi == 0) return {lo / d, lo % d};
  // Long division, one bit at a time; the remainder stays below d.
  std::uint64_t quotient = 0, remainder = 0;
  for (int bit = 127; bit >= 0; --bit) {
    const bool carry = remainder >> 63;
    remainder = remainder << 1 | ((bit >= 64 ? hi >> (bit - 64) : lo >> bit) & 1);
    quotient <<= 1;
    if (carry || remainder >= d) {
      remainder -= d;
      quotient |= 1;
    }
  }
  return {quotient, remainder};
}

}  // namespace standin
