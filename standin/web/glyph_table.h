// The glyphs of the stand-in's text font, rendered at build time by the
// FreeType font code (make_glyph_table) for the pixel sizes a build asks for,
// so that a build without FreeType draws the very same text.
#pragma once

#include <cstdint>

#include "standin/raster/font.h"

namespace standin::glyph_table {

struct GlyphRecord {
  std::int16_t left, top, width, height, advance;
  std::uint32_t offset;  // of its first coverage byte in the size's coverage
};

struct SizeRecord {
  int pixelSize, ascent, lineHeight, advance;
  const GlyphRecord *glyphs;  // 256, one for each byte of text
  const std::uint8_t *coverage;
};

extern const FaceMetrics kFace;
extern const SizeRecord kSizes[];  // by increasing pixel size
extern const int kSizeCount;

}  // namespace standin::glyph_table
