#include "standin/raster/text.h"

#include <algorithm>

namespace standin {

void DrawText(Image &image, const GlyphSet &glyphs, std::int64_t x, std::int64_t y, std::string_view text,
              std::uint32_t colour, ClipBox clip, CoverageBlend blend) {
  clip.left = std::max<std::int64_t>(clip.left, 0);
  clip.top = std::max<std::int64_t>(clip.top, 0);
  clip.right = std::min<std::int64_t>(clip.right, image.width);
  clip.bottom = std::min<std::int64_t>(clip.bottom, image.height);
  const std::int64_t baseline = y + glyphs.ascent;
  std::int64_t pen = x;
  for (const char c : text) {
    const Glyph &glyph = glyphs[static_cast<unsigned char>(c)];
    const std::int64_t left = pen + glyph.left, top = baseline - glyph.top;
    const std::int64_t firstColumn = std::max<std::int64_t>(0, clip.left - left);
    const std::int64_t endColumn = std::min<std::int64_t>(glyph.width, clip.right - left);
    const std::int64_t firstRow = std::max<std::int64_t>(0, clip.top - top);
    const std::int64_t endRow = std::min<std::int64_t>(glyph.height, clip.bottom - top);
    for (std::int64_t row = firstRow; row < endRow; ++row) {
      for (std::int64_t column = firstColumn; column < endColumn; ++column) {
        const std::uint8_t coverage = glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
        if (coverage == 0) continue;
        std::uint32_t &pixel = image.At(static_cast<int>(left + column), static_cast<int>(top + row));
        pixel = blend(pixel, colour, coverage);
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace standin
