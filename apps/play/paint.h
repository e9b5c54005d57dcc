// Software painting on a picture: the few shapes the cockpit is made of, and
// text from the stand-in's font glyphs. Everything is clipped to the picture
// (and text to a box as well), and is integer arithmetic, so the same calls
// always give the same pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "apps/play/layout.h"
#include "standin/images/image.h"
#include "standin/raster/font.h"

namespace play {

// Pixels are 0x00RRGGBB, as in standin::Image.
void Fill(standin::Image &image, Rect box, std::uint32_t colour);

// A frame `thickness` pixels wide just inside `box`: `light` along the top
// and left, `dark` along the bottom and right.
void Bevel(standin::Image &image, Rect box, int thickness, std::uint32_t light, std::uint32_t dark);

// A small raised button with rounded corners, or sunk in while `pressed`;
// the corners show `behind`.
void Button(standin::Image &image, Rect box, bool pressed, std::uint32_t behind);

// Each pixel of `box` brought `percent` of the way to black.
void Darken(standin::Image &image, Rect box, int percent);

// `source` copied with its top left at `at`.
void Blit(standin::Image &image, const standin::Image &source, Point at);

// The width of `text` in `glyphs`, from the first pen position to the last advance.
int TextWidth(const standin::GlyphSet &glyphs, std::string_view text);

// `text` with its first cell's top left at `at`, blended by glyph coverage in
// `colour`; only pixels inside `clip` change.
void Text(standin::Image &image, const standin::GlyphSet &glyphs, Point at, std::string_view text, std::uint32_t colour,
          Rect clip);

}  // namespace play
