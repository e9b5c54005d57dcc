// Reduces pixels to at most 256 colours and an index per pixel, as an indexed
// picture format needs. The same pixels always give the same palette and indices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace standin {

struct IndexedPixels {
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB, at most 256 entries
  std::vector<std::uint8_t> indices;   // one per input pixel, into palette
  bool exact = false;                  // palette[indices[i]] == pixels[i] for every i
};

// Exact when the pixels hold at most `maxColours` distinct colours: the palette
// is then those colours in ascending order. Otherwise the colours are cut into
// `maxColours` boxes (the box with the widest channel split next, where that
// channel passes its pixel-weighted mean), each box's palette entry is the
// pixel-weighted mean of its colours, and each colour takes the nearest entry.
// `maxColours` is clamped to 1..256; no pixels give an empty palette.
IndexedPixels IndexColours(std::span<const std::uint32_t> pixels, std::size_t maxColours = 256);

}  // namespace standin
