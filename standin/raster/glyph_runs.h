// A glyph set's pixels as the raster lays them down: each glyph's covered
// pixels in runs along its rows, each pixel's coverage already taken to one of
// 16 levels, so drawing text is walking runs, with no arithmetic per pixel but
// the blend.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "standin/images/image.h"
#include "standin/raster/font.h"

namespace standin {

class GlyphRuns {
 public:
  static constexpr std::uint8_t kFull = 15;  // the level of full coverage; 0 is none
  // Coverage 0 to 255 in 16 steps, nearest first.
  static constexpr std::uint8_t Level(std::uint8_t coverage) {
    return static_cast<std::uint8_t>((coverage * 15u + 127u) / 255u);
  }

  explicit GlyphRuns(const GlyphSet &glyphs);

  // Calls paint(row, column, pixels, levels, count) for each run of pixels
  // with a level of 1 or more that `text` covers on `image`, the first cell's
  // top left at (x, y), characters in order: the run starts at (column, row),
  // pixels[i] is its i-th pixel and levels[i] that pixel's level.
  template <class Paint>
  void Draw(Image &image, std::int64_t x, std::int64_t y, std::string_view text, Paint paint) const {
    const std::int64_t baseline = y + ascent_;
    std::int64_t pen = x;
    for (const char c : text) {
      const Glyph &glyph = glyphs_[static_cast<unsigned char>(c)];
      const std::int64_t left = pen + glyph.left, top = baseline - glyph.top;
      pen += glyph.advance;
      if (left >= image.width || top >= image.height || left + glyph.width <= 0 || top + glyph.height <= 0) continue;
      for (std::uint32_t r = glyph.firstRun; r < glyph.endRun; ++r) {
        const Run &run = runs_[r];
        const std::int64_t row = top + run.row;
        if (row < 0 || row >= image.height) continue;
        const std::int64_t from = std::max<std::int64_t>(left + run.column, 0);
        const std::int64_t to = std::min<std::int64_t>(left + run.column + run.length, image.width);
        if (from >= to) continue;
        paint(row, from, &image.At(static_cast<int>(from), static_cast<int>(row)),
              levels_.data() + run.firstLevel + (from - left - run.column), to - from);
      }
    }
  }

 private:
  struct Run {
    int row;  // in the glyph's bitmap
    int column;
    int length;
    std::uint32_t firstLevel;  // the index of its first pixel's level in levels_
  };
  struct Glyph {
    int left = 0, top = 0, width = 0, height = 0, advance = 0;
    std::uint32_t firstRun = 0, endRun = 0;  // its runs in runs_
  };

  int ascent_;
  std::array<Glyph, 256> glyphs_;
  std::vector<Run> runs_;
  std::vector<std::uint8_t> levels_;
};

}  // namespace standin
