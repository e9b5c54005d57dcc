// Text laid onto a picture glyph by glyph, each glyph pixel blended by its
// coverage under a rule the caller chooses.
#pragma once

#include <cstdint>
#include <string_view>

#include "standin/images/image.h"
#include "standin/raster/font.h"

namespace standin {

// Columns left to right − 1 and rows top to bottom − 1.
struct ClipBox {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
};

// What a glyph pixel of `coverage` (1 to 255) in `colour` makes of the pixel `under`.
using CoverageBlend = std::uint32_t (*)(std::uint32_t under, std::uint32_t colour, std::uint8_t coverage);

// `text` in `glyphs`, the first cell's top left at (x, y), the baseline one
// ascent below, each character one advance right of the one before. Only
// covered pixels inside both `clip` and the picture change, to `blend` of them.
void DrawText(Image &image, const GlyphSet &glyphs, std::int64_t x, std::int64_t y, std::string_view text,
              std::uint32_t colour, ClipBox clip, CoverageBlend blend);

}  // namespace standin
