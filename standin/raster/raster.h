// A draw target that renders every call made on a surface into a 32-bit
// picture of the display, as the platform's graphics device interface renders
// it onto a display surface with a one-pixel pen, a hollow brush and a
// transparent text background.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "standin/core/surface.h"
#include "standin/images/image.h"
#include "standin/raster/ellipse_cache.h"
#include "standin/raster/font.h"
#include "standin/raster/glyph_runs.h"
#include "standin/raster/pens.h"

namespace standin {

class Raster : public DrawTarget {
 public:
  // Larger displays are refused: 64 Mi pixels, 256 MiB of picture.
  static constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;

  // What fills the inside of an ellipse.
  struct Brush {
    bool hollow = true;  // fills nothing
    std::uint32_t colour = 0;
  };

  // A black `width` × `height` raster, any size from 0 × 0 up, drawing text in
  // `font` at the size that fits 20 lines and 40 columns; null with `error` for
  // a negative size, more than kMaxPixels pixels, or no font.
  static std::unique_ptr<Raster> Create(int width, int height, std::shared_ptr<Font> font, std::string &error);

  const Image &Frame() const { return image_; }
  // The text's glyphs, with its pixel size and cell metrics.
  const GlyphSet &TextGlyphs() const { return *glyphs_; }
  // The surface's brush is hollow; another may be selected for ellipses drawn after.
  void SelectBrush(Brush brush) { brush_ = brush; }

  void BeginFrame() override;
  void SelectPen(unsigned long index) override;
  void SetTextColour(COLORREF colour) override;
  void TextOut(int x, int y, std::string_view text, int count) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int x, int y, COLORREF colour) override;

 private:
  Raster(int width, int height, std::shared_ptr<Font> font);

  // Sets columns first..last of row y, whatever part of them is on the picture.
  void FillSpan(std::int64_t y, std::int64_t first, std::int64_t last, std::uint32_t colour);
  // Sets rows first..last of column x, whatever part of them is on the picture.
  void FillColumn(std::int64_t x, std::int64_t first, std::int64_t last, std::uint32_t colour);
  // Notes that columns first..last of row y, all on the picture, are drawn on.
  void Touch(std::int64_t y, std::int64_t first, std::int64_t last) {
    if (drawn_.empty()) return;
    Columns &row = drawn_[static_cast<std::size_t>(y)];
    row.first = std::min(row.first, static_cast<std::int32_t>(first));
    row.last = std::max(row.last, static_cast<std::int32_t>(last));
  }

  Image image_;
  // The columns of each row drawn on since the picture was last cleared
  // (none: first > last), so that clearing it touches only those. Pictures
  // under 8 pixels wide keep no such record and are cleared whole.
  struct Columns {
    std::int32_t first = INT32_MAX, last = -1;
  };
  std::vector<Columns> drawn_;
  std::shared_ptr<Font> font_;
  const GlyphSet *glyphs_;
  GlyphRuns runs_;  // the glyphs as they are laid down
  EllipseCache ellipses_;
  std::uint32_t pen_ = PenColour(kFallbackPen);
  Brush brush_;
  std::uint32_t textColour_ = 0;                                 // black, as on a fresh surface
  std::array<std::uint32_t, GlyphRuns::kFull + 1> overBlack_{};  // each level of it on black
  int x_ = 0;                                                    // the current position
  int y_ = 0;
};

}  // namespace standin
