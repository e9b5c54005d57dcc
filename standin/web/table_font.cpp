// The stand-in's text font from the glyph table built in (glyph_table.h), for
// builds without FreeType: the same glyphs, at the sizes the table holds.
#include <algorithm>
#include <cstdlib>

#include "standin/raster/font.h"
#include "standin/web/glyph_table.h"

namespace standin {
namespace {

// The table's size nearest to `pixelSize`, the smaller one of two as near.
const glyph_table::SizeRecord &Nearest(int pixelSize) {
  const glyph_table::SizeRecord *best = &glyph_table::kSizes[0];
  for (int i = 1; i < glyph_table::kSizeCount; ++i) {
    const glyph_table::SizeRecord &record = glyph_table::kSizes[i];
    if (std::abs(record.pixelSize - pixelSize) < std::abs(best->pixelSize - pixelSize)) best = &record;
  }
  return *best;
}

}  // namespace

struct Font::Face {};  // the table is the face

Font::Font(std::unique_ptr<Face> face) : face_(std::move(face)) {}

Font::~Font() = default;

std::shared_ptr<Font> Font::LoadDefault(std::string &) {
  return std::shared_ptr<Font>(new Font(std::make_unique<Face>()));
}

std::shared_ptr<Font> Font::Load(const std::string &path, std::string &error) {
  error = "cannot read the font file " + path + ": this build has its glyphs built in";
  return nullptr;
}

FaceMetrics Font::Metrics() const { return glyph_table::kFace; }

// A size the table lacks gets its nearest size's glyphs.
const GlyphSet &Font::Glyphs(int pixelSize) {
  pixelSize = std::clamp(pixelSize, 1, kMaxPixelSize);
  auto &slot = sizes_[pixelSize];
  if (slot) return *slot;

  const glyph_table::SizeRecord &record = Nearest(pixelSize);
  auto set = std::make_unique<GlyphSet>();
  set->pixelSize = record.pixelSize;
  set->ascent = record.ascent;
  set->lineHeight = record.lineHeight;
  set->advance = record.advance;
  for (std::size_t c = 0; c < set->glyphs.size(); ++c) {
    const glyph_table::GlyphRecord &from = record.glyphs[c];
    Glyph &glyph = set->glyphs[c];
    glyph.left = from.left;
    glyph.top = from.top;
    glyph.width = from.width;
    glyph.height = from.height;
    glyph.advance = from.advance;
    const std::uint8_t *first = record.coverage + from.offset;
    glyph.coverage.assign(first, first + std::size_t{std::uint16_t(from.width)} * std::uint16_t(from.height));
  }
  slot = std::move(set);
  return *slot;
}

}  // namespace standin
