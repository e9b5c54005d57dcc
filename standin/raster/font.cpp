#include "standin/raster/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace standin {
namespace {

// Where the distributions' DejaVu packages put the face, the Debian one first.
constexpr const char *kDefaultPaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/TTF/DejaVuSansMono.ttf",
    "/usr/share/fonts/dejavu-sans-mono-fonts/DejaVuSansMono.ttf",
};

// FreeType's 26.6 fixed point, rounded to whole pixels.
int Pixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

Glyph Render(FT_Face face, unsigned char c, int cellAdvance) {
  Glyph glyph;
  glyph.advance = cellAdvance;
  if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap &bitmap = slot->bitmap;
  glyph.advance = Pixels(slot->advance.x);
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) return glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
  const int pitch = std::abs(bitmap.pitch);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char *source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch;
    std::copy(source, source + glyph.width, glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
  }
  return glyph;
}

}  // namespace

struct Font::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  Face() = default;
  Face(const Face &) = delete;
  Face &operator=(const Face &) = delete;
  ~Face() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

Font::Font(std::unique_ptr<Face> face) : face_(std::move(face)) {}

Font::~Font() = default;

std::shared_ptr<Font> Font::LoadDefault(std::string &error) {
  std::string tried;
  for (const char *path : kDefaultPaths) {
    if (std::filesystem::exists(path)) return Load(path, error);
    tried += tried.empty() ? path : std::string(", ") + path;
  }
  error =
      "no font for text: DejaVuSansMono.ttf is in none of " + tried + "; install the Debian package fonts-dejavu-core";
  return nullptr;
}

std::shared_ptr<Font> Font::Load(const std::string &path, std::string &error) {
  auto face = std::make_unique<Face>();
  if (FT_Init_FreeType(&face->library) != 0) {
    error = "cannot start the font renderer";
    return nullptr;
  }
  if (FT_New_Face(face->library, path.c_str(), 0, &face->face) != 0) {
    error = "cannot read the font file " + path;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(face->face) || face->face->height <= 0 || face->face->max_advance_width <= 0) {
    error = "the font file " + path + " holds no scalable face";
    return nullptr;
  }
  return std::shared_ptr<Font>(new Font(std::move(face)));
}

FaceMetrics Font::Metrics() const {
  const FT_Face face = face_->face;
  return {face->units_per_EM, face->height, face->max_advance_width};
}

const GlyphSet &Font::Glyphs(int pixelSize) {
  pixelSize = std::clamp(pixelSize, 1, kMaxPixelSize);
  auto &slot = sizes_[pixelSize];
  if (slot) return *slot;

  const FT_Face face = face_->face;
  auto set = std::make_unique<GlyphSet>();
  set->pixelSize = pixelSize;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0) {
    set->ascent = Pixels(face->size->metrics.ascender);
    set->lineHeight = Pixels(face->size->metrics.height);
    set->advance = Pixels(face->size->metrics.max_advance);
    for (int c = 0; c < 256; ++c) set->glyphs[c] = Render(face, static_cast<unsigned char>(c), set->advance);
  }
  slot = std::move(set);
  return *slot;
}

}  // namespace standin
