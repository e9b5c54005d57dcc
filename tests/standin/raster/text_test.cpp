// Text from glyphs: each covered glyph pixel inside the clip box and the
// picture gets the blend, in its place; nothing else is touched.
#include "standin/raster/text.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

// Marks a pixel with the colour and coverage it was given.
std::uint32_t Mark(std::uint32_t, std::uint32_t colour, std::uint8_t coverage) { return colour + coverage; }

TEST(GlyphText, BlendsCoveredPixelsInsideTheClipOnly) {
  GlyphSet glyphs;
  glyphs.ascent = 4;
  glyphs.glyphs['a'] = {1, 3, 3, 2, 7, {255, 0, 7, 9, 128, 1}};  // left, top, width, height, advance, coverage
  glyphs.glyphs['b'] = {-1, 1, 1, 1, 2, {64}};
  // "aba" from (0, 0): pens at 0, 7 and 9, the baseline at y 4.
  const int drawn[][3] = {{1, 1, 255},  {3, 1, 7},  {1, 2, 9},  {2, 2, 128},  {3, 2, 1}, {6, 3, 64},
                          {10, 1, 255}, {12, 1, 7}, {10, 2, 9}, {11, 2, 128}, {12, 2, 1}};
  constexpr std::int64_t kFar = std::int64_t{1} << 60, kW = 16, kH = 8;
  const struct {
    std::int64_t x, y;
    ClipBox clip;
  } cases[] = {{0, 0, {0, 0, kW, kH}}, {2, 1, {3, 3, 9, 4}},  {-4, -2, {-kFar, -kFar, kFar, kFar}},
               {6, 5, {0, 0, kW, kH}}, {1, 0, {6, 0, 6, kH}}, {-kFar, 0, {-kFar, 0, kFar, kH}}};
  for (const auto &c : cases) {
    Image image(kW, kH, 0x111111), expected(kW, kH, 0x111111);
    DrawText(image, glyphs, c.x, c.y, "aba", 0x100, c.clip, Mark);
    for (const auto &d : drawn) {
      const std::int64_t x = c.x + d[0], y = c.y + d[1];
      if (x >= std::max<std::int64_t>(c.clip.left, 0) && x < std::min(c.clip.right, kW) &&
          y >= std::max<std::int64_t>(c.clip.top, 0) && y < std::min(c.clip.bottom, kH))
        expected.At(static_cast<int>(x), static_cast<int>(y)) = 0x100u + d[2];
    }
    EXPECT_EQ(image.pixels, expected.pixels) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace standin
