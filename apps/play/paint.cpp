#include "apps/play/paint.h"

#include <algorithm>

#include "standin/raster/text.h"

namespace play {
namespace {

Rect Clip(const standin::Image &image, Rect box) {
  const int left = std::max(box.x, 0), top = std::max(box.y, 0);
  const int right = std::min(box.Right(), image.width), bottom = std::min(box.Bottom(), image.height);
  return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// `colour` laid over `under` with `alpha` from 0 (none) to 255 (all).
std::uint32_t Mix(std::uint32_t under, std::uint32_t colour, std::uint8_t alpha) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned a = (under >> shift) & 0xFF, b = (colour >> shift) & 0xFF;
    out |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
  }
  return out;
}

void Plot(standin::Image &image, int x, int y, std::uint32_t colour) {
  if (x >= 0 && y >= 0 && x < image.width && y < image.height) image.At(x, y) = colour;
}

}  // namespace

void Fill(standin::Image &image, Rect box, std::uint32_t colour) {
  const Rect r = Clip(image, box);
  for (int y = r.y; y < r.Bottom(); ++y) std::fill_n(&image.At(r.x, y), r.w, colour);
}

void Bevel(standin::Image &image, Rect box, int thickness, std::uint32_t light, std::uint32_t dark) {
  for (int i = 0; i < thickness && 2 * i < std::min(box.w, box.h); ++i) {
    const Rect r{box.x + i, box.y + i, box.w - 2 * i, box.h - 2 * i};
    Fill(image, {r.x, r.y, r.w, 1}, light);
    Fill(image, {r.x, r.y, 1, r.h}, light);
    Fill(image, {r.x + 1, r.Bottom() - 1, r.w - 1, 1}, dark);
    Fill(image, {r.Right() - 1, r.y + 1, 1, r.h - 1}, dark);
  }
}

void Button(standin::Image &image, Rect box, bool pressed, std::uint32_t behind) {
  constexpr std::uint32_t kFace = 0x5C6066, kPressedFace = 0x44484C;
  constexpr std::uint32_t kLight = 0x8A8F96, kShadow = 0x222426, kOutline = 0x141516;
  Fill(image, box, kOutline);
  const Rect inner{box.x + 1, box.y + 1, box.w - 2, box.h - 2};
  Fill(image, inner, pressed ? kPressedFace : kFace);
  if (pressed)
    Bevel(image, inner, 1, kShadow, kLight);
  else
    Bevel(image, inner, 2, kLight, kShadow);
  // Rounded corners: the corner pixel shows what is behind, its neighbours the outline.
  const int right = box.Right() - 1, bottom = box.Bottom() - 1;
  for (const Point corner : {Point{box.x, box.y}, Point{right, box.y}, Point{box.x, bottom}, Point{right, bottom}}) {
    Plot(image, corner.x, corner.y, behind);
    const int dx = corner.x == box.x ? 1 : -1, dy = corner.y == box.y ? 1 : -1;
    Plot(image, corner.x + dx, corner.y + dy, kOutline);
  }
}

void Darken(standin::Image &image, Rect box, int percent) {
  const Rect r = Clip(image, box);
  const auto alpha = static_cast<std::uint8_t>(std::clamp(percent, 0, 100) * 255 / 100);
  for (int y = r.y; y < r.Bottom(); ++y)
    for (int x = r.x; x < r.Right(); ++x) image.At(x, y) = Mix(image.At(x, y), 0, alpha);
}

void Blit(standin::Image &image, const standin::Image &source, Point at) {
  const Rect r = Clip(image, {at.x, at.y, source.width, source.height});
  for (int y = r.y; y < r.Bottom(); ++y)
    std::copy_n(source.pixels.begin() + static_cast<std::ptrdiff_t>(y - at.y) * source.width + (r.x - at.x), r.w,
                &image.At(r.x, y));
}

int TextWidth(const standin::GlyphSet &glyphs, std::string_view text) {
  int width = 0;
  for (const char c : text) width += glyphs[static_cast<unsigned char>(c)].advance;
  return width;
}

void Text(standin::Image &image, const standin::GlyphSet &glyphs, Point at, std::string_view text, std::uint32_t colour,
          Rect clip) {
  standin::DrawText(image, glyphs, at.x, at.y, text, colour, {clip.x, clip.y, clip.Right(), clip.Bottom()}, Mix);
}

}  // namespace play
