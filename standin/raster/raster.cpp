#include "standin/raster/raster.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "standin/raster/ellipse.h"
#include "standin/raster/ellipse_cache.h"
#include "standin/raster/line.h"

namespace standin {
namespace {

// Glyph coverage is taken in 16 steps (GlyphRuns::Level), so text over a
// background adds few colours: `level` of 15 parts `colour`, the rest `under`.
std::uint32_t Blend(std::uint32_t under, std::uint32_t colour, std::uint8_t level) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t a = (under >> shift) & 0xFF, b = (colour >> shift) & 0xFF;
    out |= ((a * (15u - level) + b * level + 7u) / 15u) << shift;
  }
  return out;
}

}  // namespace

std::unique_ptr<Raster> Raster::Create(int width, int height, std::shared_ptr<Font> font, std::string &error) {
  if (width < 0 || height < 0) {
    error = "a display cannot be " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    return nullptr;
  }
  if (std::int64_t{width} * height > kMaxPixels) {
    error = "a display of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is over the " +
            std::to_string(kMaxPixels) + "-pixel limit";
    return nullptr;
  }
  if (!font) {
    error = "a display needs a font for its text";
    return nullptr;
  }
  return std::unique_ptr<Raster>(new Raster(width, height, std::move(font)));
}

Raster::Raster(int width, int height, std::shared_ptr<Font> font)
    : image_(width, height),
      font_(std::move(font)),
      glyphs_(&font_->Glyphs(font_->SizeFor(width, height))),
      runs_(*glyphs_) {
  if (width >= 8) drawn_.resize(static_cast<std::size_t>(height));
  SetTextColour(0);
}

// Every pixel black; pen, brush, text colour and position stay as they are.
// What was not drawn on since is black already.
void Raster::BeginFrame() {
  if (drawn_.empty()) {
    std::fill(image_.pixels.begin(), image_.pixels.end(), 0u);
    return;
  }
  std::uint32_t *row = image_.pixels.data();
  for (Columns &columns : drawn_) {
    if (columns.first <= columns.last) std::fill(row + columns.first, row + columns.last + 1, 0u);
    columns = Columns();
    row += image_.width;
  }
}

// Indices beyond the host's default pens fall back to pen 0.
void Raster::SelectPen(unsigned long index) { pen_ = PenColour(index); }

void Raster::SetTextColour(COLORREF colour) {
  textColour_ = PixelFromColorref(colour);
  for (std::uint8_t level = 0; level <= GlyphRuns::kFull; ++level) overBlack_[level] = Blend(0, textColour_, level);
}

// The characters of `text` (the surface hands over exactly `count`), the first
// cell's top left at (x, y), the baseline one ascent below y, each character
// one advance right of the one before. Only glyph pixels change, blended by
// coverage in the text colour. The current position is neither used nor changed.
void Raster::TextOut(int x, int y, std::string_view text, int /*count*/) {
  runs_.Draw(image_, x, y, text,
             [this](std::int64_t row, std::int64_t column, std::uint32_t *pixels, const std::uint8_t *levels,
                    std::int64_t count) {
               Touch(row, column, column + count - 1);
               for (std::int64_t i = 0; i < count; ++i) {
                 std::uint32_t &pixel = pixels[i];
                 pixel = pixel == 0 ? overBlack_[levels[i]] : Blend(pixel, textColour_, levels[i]);
               }
             });
}

void Raster::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

// From the current position up to, not including, (x, y), which becomes the
// current position; a line of zero length draws nothing.
void Raster::LineTo(int x, int y) {
  const int x0 = x_, y0 = y_;
  x_ = x;
  y_ = y;
  // Level and upright lines are runs of pixels.
  if (y0 == y && x0 != x) {
    if (x > x0)
      FillSpan(y, x0, std::int64_t{x} - 1, pen_);
    else
      FillSpan(y, std::int64_t{x} + 1, x0, pen_);
    return;
  }
  if (x0 == x && y0 != y) {
    if (y > y0)
      FillColumn(x, y0, std::int64_t{y} - 1, pen_);
    else
      FillColumn(x, std::int64_t{y} + 1, y0, pen_);
    return;
  }
  const auto walk = LineWalk::Clip(x0, y0, x, y, image_.width, image_.height);
  if (!walk) return;
  const LineWalk::Box box = walk->Bounds();
  for (std::int64_t row = box.top; row <= box.bottom; ++row) Touch(row, box.left, box.right);
  walk->Draw(image_.pixels.data(), image_.width, pen_);
}

// The box is put in order first; a box of zero width or height draws nothing.
// The figure covers columns left to right − 1 and rows top to bottom − 1: a
// box one or two pixels across is a rectangle, brush and pen over all of it
// (the pen draws nothing on a 1 × 1 box); otherwise the brush fills the inside and the pen draws the outline over it.
// The current position is neither used nor changed.
void Raster::Ellipse(int left, int top, int right, int bottom) {
  std::int64_t l = left, t = top, r = right, b = bottom;
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const std::int64_t width = r - l, height = b - t;
  if (width == 0 || height == 0) return;
  const std::int64_t firstRow = std::max<std::int64_t>(t, 0);
  const std::int64_t lastRow = std::min<std::int64_t>(b - 1, image_.height - 1);
  if (firstRow > lastRow || l >= image_.width || r <= 0) return;

  if (width <= 2 || height <= 2) {
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
      if (!brush_.hollow) FillSpan(y, l, r - 1, brush_.colour);
      if (width > 1 || height > 1) FillSpan(y, l, r - 1, pen_);
    }
    return;
  }
  std::optional<EllipseRows> uncached;
  const EllipseRows *found = ellipses_.Find(width, height);
  const EllipseRows &shape = found ? *found : uncached.emplace(width, height);
  if (!brush_.hollow) {
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
      const Span inside = shape.Extent(y - t);
      FillSpan(y, l + inside.first, l + inside.last, brush_.colour);
    }
  }
  for (std::int64_t y = firstRow; y <= lastRow; ++y) {
    const EllipseRows::Outline outline = shape.Row(y - t);
    for (int i = 0; i < outline.count; ++i) FillSpan(y, l + outline.spans[i].first, l + outline.spans[i].last, pen_);
  }
}

// One pixel, if it is on the display.
void Raster::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
  Touch(y, x, x);
  image_.At(x, y) = PixelFromColorref(colour);
}

void Raster::FillSpan(std::int64_t y, std::int64_t first, std::int64_t last, std::uint32_t colour) {
  if (y < 0 || y >= image_.height) return;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, image_.width - 1);
  if (first > last) return;
  Touch(y, first, last);
  std::uint32_t *pixel = &image_.At(static_cast<int>(first), static_cast<int>(y));
  std::uint32_t *const end = pixel + (last - first + 1);
  if (end - pixel < 8) {
    for (; pixel < end; ++pixel) *pixel = colour;
    return;
  }
  // Eight at a time, blocks the compiler turns into vector stores; the last
  // block ends with the span, over pixels already set if it must.
  for (; end - pixel > 8; pixel += 8)
    for (int i = 0; i < 8; ++i) pixel[i] = colour;
  for (int i = -8; i < 0; ++i) end[i] = colour;
}

void Raster::FillColumn(std::int64_t x, std::int64_t first, std::int64_t last, std::uint32_t colour) {
  if (x < 0 || x >= image_.width) return;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, image_.height - 1);
  for (std::int64_t y = first; y <= last; ++y) {
    Touch(y, x, x);
    image_.At(static_cast<int>(x), static_cast<int>(y)) = colour;
  }
}

}  // namespace standin
