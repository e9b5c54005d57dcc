#include "standin/raster/glyph_runs.h"

namespace standin {

GlyphRuns::GlyphRuns(const GlyphSet &glyphs) : ascent_(glyphs.ascent) {
  for (int c = 0; c < 256; ++c) {
    const standin::Glyph &source = glyphs[static_cast<unsigned char>(c)];
    Glyph &glyph = glyphs_[static_cast<std::size_t>(c)];
    glyph = {source.left, source.top, source.width, source.height, source.advance, 0, 0};
    glyph.firstRun = static_cast<std::uint32_t>(runs_.size());
    for (int row = 0; row < source.height; ++row) {
      const std::uint8_t *coverage = source.coverage.data() + static_cast<std::ptrdiff_t>(row) * source.width;
      for (int column = 0; column < source.width;) {
        if (Level(coverage[column]) == 0) {
          ++column;
          continue;
        }
        Run run{row, column, 0, static_cast<std::uint32_t>(levels_.size())};
        for (; column < source.width && Level(coverage[column]) != 0; ++column)
          levels_.push_back(Level(coverage[column]));
        run.length = column - run.column;
        runs_.push_back(run);
      }
    }
    glyph.endRun = static_cast<std::uint32_t>(runs_.size());
  }
}

}  // namespace standin
