// The pixel surface against the platform's drawing rules: lines, ellipses,
// pixels, pens, text, clipping and clearing. Wine's GDI itself is held against
// it on random drawing by the gdi-reference test; these pin the rules in
// process, at the coordinates' extremes too. Text from glyphs: each covered
// glyph pixel inside the clip box and the picture gets the blend, in its
// place; nothing else is touched.
#include "standin/raster/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "standin/raster/ellipse.h"
#include "standin/raster/text.h"

namespace standin {
namespace {

using Point = std::pair<int, int>;
using Points = std::set<Point>;
__extension__ typedef __int128 Wide;  // exact products across the whole int range

std::shared_ptr<Font> SharedFont() {
  static std::string error;
  static const std::shared_ptr<Font> font = Font::LoadDefault(error);
  EXPECT_NE(font, nullptr) << error;
  return font;
}

std::unique_ptr<Raster> MakeRaster(int width, int height) {
  std::string error;
  auto raster = Raster::Create(width, height, SharedFont(), error);
  EXPECT_NE(raster, nullptr) << error;
  return raster;
}

Points Drawn(const Image &image) {
  Points points;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) != 0) points.insert({x, y});
  return points;
}

Points Line(int width, int height, int x0, int y0, int x1, int y1) {
  auto raster = MakeRaster(width, height);
  raster->MoveTo(x0, y0);
  raster->LineTo(x1, y1);
  return Drawn(raster->Frame());
}

// What a line should cover, found coordinate by coordinate along its major
// axis: step i of n takes the minor offset nearest m·i/n, a tie the smaller coordinate.
Points ReferenceLine(int width, int height, int x0, int y0, int x1, int y1) {
  const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const std::int64_t n = std::abs(xMajor ? dx : dy), m = std::abs(xMajor ? dy : dx);
  const int step = (xMajor ? dx : dy) < 0 ? -1 : 1, minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  Points points;
  for (std::int64_t c = 0; c < (xMajor ? width : height); ++c) {
    const std::int64_t i = (c - (xMajor ? x0 : y0)) * step;
    if (i < 0 || i >= n) continue;
    Wide k = Wide{m} * i / n;
    const Wide twiceRest = 2 * (Wide{m} * i - k * n);
    if (twiceRest > n || (twiceRest == n && minorStep < 0)) ++k;
    const Wide minor = (xMajor ? y0 : x0) + minorStep * k;
    if (minor < 0 || minor >= (xMajor ? height : width)) continue;
    const int a = static_cast<int>(c), b = static_cast<int>(minor);
    points.insert(xMajor ? Point{a, b} : Point{b, a});
  }
  return points;
}

// ---- Lines -------------------------------------------------------------------------

TEST(RasterLine, AnyCoordinatesDrawJustTheVisiblePixels) {
  struct Case {
    int x0, y0, x1, y1;
    std::size_t visible;  // on a 32 × 32 surface
  };
  const Case cases[] = {{INT_MIN, 10, INT_MAX, 10, 32},
                        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 32},
                        {INT_MAX, INT_MIN, INT_MIN, INT_MAX, 0},
                        {-100, 20, 20, -100, 0},
                        {5, 5, INT_MAX, 6, 27},
                        {INT_MIN, INT_MIN, 3, 3, 3}};
  for (const Case &c : cases) {
    const Points drawn = Line(32, 32, c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(drawn, ReferenceLine(32, 32, c.x0, c.y0, c.x1, c.y1)) << c.x0 << "," << c.y0;
    EXPECT_EQ(drawn.size(), c.visible) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
  }
  const int far[] = {INT_MIN, INT_MIN + 1, -(1 << 20), -33, -1, 0, 16, 31, 32, 1 << 20, INT_MAX - 1, INT_MAX};
  std::vector<Point> ends;
  for (const int x : far)
    for (const int y : far) ends.push_back({x, y});
  for (int x = -40; x < 72; x += 9)
    for (int y = -40; y < 72; y += 11) ends.push_back({x, y});
  for (const auto &[x0, y0] : ends)
    for (const auto &[x1, y1] : ends)
      ASSERT_EQ(Line(32, 32, x0, y0, x1, y1), ReferenceLine(32, 32, x0, y0, x1, y1))
          << x0 << "," << y0 << " to " << x1 << "," << y1;
}

// ---- Ellipses ----------------------------------------------------------------------

// The platform's walk round a quarter of the outline, step by step: from the
// middle row's rightmost pixel, left, down or both by the signs of the error
// terms, until it passes the middle column. Each row's columns, lowest first.
std::map<std::int64_t, Span> Walk(std::int64_t width, std::int64_t height) {
  const std::int64_t a = width - 1, b = height - 1;
  std::int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + b % 2), error = dx + dy + a * a * (b % 2);
  std::map<std::int64_t, Span> rows;
  for (std::int64_t x = a, y = height / 2; x >= width / 2;) {
    const auto [row, added] = rows.insert({y, {x, x}});
    row->second.first = x;
    const std::int64_t twice = 2 * error;
    if (twice >= dx) --x, dx += 8 * b * b, error += dx;
    if (twice <= dy) ++y, dy += 8 * a * a, error += dy;
  }
  return rows;
}

TEST(RasterEllipse, EveryRowIsTheWalksMirroredAboutTheCentre) {
  std::vector<std::pair<std::int64_t, std::int64_t>> sizes = {{3, 1000000}, {4, 999999}, {1000001, 5}, {30000, 29999}};
  for (std::int64_t w = 3; w <= 64; ++w)
    for (std::int64_t h = 3; h <= 64; ++h) sizes.push_back({w, h});
  for (const auto &[w, h] : sizes) {
    const std::map<std::int64_t, Span> walk = Walk(w, h);
    const EllipseRows rows(w, h);
    for (std::int64_t y = 0; y < h; ++y) {
      const auto found = walk.find(std::max(y, h - 1 - y));
      std::vector<std::pair<std::int64_t, std::int64_t>> expected, drawn;
      if (found != walk.end()) {
        const Span right = found->second, left{w - 1 - right.last, w - 1 - right.first};
        if (left.last + 1 >= right.first)
          expected = {{left.first, right.last}};
        else
          expected = {{left.first, left.last}, {right.first, right.last}};
      }
      const EllipseRows::Outline outline = rows.Row(y);
      for (int i = 0; i < outline.count; ++i) drawn.push_back({outline.spans[i].first, outline.spans[i].last});
      ASSERT_EQ(drawn, expected) << w << " x " << h << ", row " << y;
    }
  }
}

TEST(RasterEllipse, NarrowEmptyAndHugeBoxes) {
  auto block = [](int x0, int y0, int x1, int y1) {
    Points p;
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y) p.insert({x, y});
    return p;
  };
  struct Case {
    int left, top, right, bottom;
    Points expected;
  };
  // A box 2000 pixels across and 2^31 or more long: its middle rows run out to
  // the box's side and the ones next to them stay hundreds of pixels further
  // in; a tall one's walk passes the middle column long before its ends, so
  // they are left empty. Boxes under 3 pixels across are their rectangles,
  // in either order; those of no width draw nothing.
  const Case cases[] = {
      {2, 3, 3, 4, {}},  // 1 x 1
      {9, 9, 9, 9, {}},
      {5, 5, 5, 20, {}},
      {INT_MIN, 0, INT_MIN, 9, {}},
      {2, 3, 3, 6, block(2, 3, 2, 5)},  // narrower than 3: the box itself
      {4, 3, 2, 6, block(2, 3, 3, 5)},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {}},
      {INT_MAX, INT_MAX, INT_MIN, INT_MIN, {}},
      {INT_MIN, -1000, 11, 1000, block(0, 0, 10, 0)},
      {20, -1000, INT_MAX, 1000, block(20, 0, 31, 0)},
      {-1000, INT_MIN, 1000, 20, {}},
      {-1000, 12, 1000, INT_MAX, {}},
      {5, INT_MIN, 6, INT_MAX, block(5, 0, 5, 31)},
      {INT_MAX, 3, INT_MIN, 5, block(0, 3, 31, 4)},
  };
  for (const Case &c : cases) {
    auto raster = MakeRaster(32, 32);
    raster->Ellipse(c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(Drawn(raster->Frame()), c.expected) << c.left << "," << c.top;
  }
}

// ---- The span primitives against pixel-by-pixel drawing ----------------------------

// Coverage in 16 steps blended pixel by pixel, channel by channel.
std::uint32_t PlainBlend(std::uint32_t under, std::uint32_t colour, std::uint8_t coverage) {
  const std::uint32_t level = (coverage * 15u + 127u) / 255u;
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t a = (under >> shift) & 0xFF, b = (colour >> shift) & 0xFF;
    out |= ((a * (15 - level) + b * level + 7) / 15) << shift;
  }
  return level == 0 ? under : out;
}

// Random lines (a third level, a third upright, some from where the last one
// ended), boxes (some too tall to keep, some filled by a solid brush), texts,
// pixels (on the surface or off it) and new frames, one after another on one
// raster over a random background, each against the same rule drawn a pixel at
// a time. A surface starts black, at (0, 0), with pen 0 and a hollow brush;
// only lines move the current position, and a new frame clears the picture
// alone.
TEST(RasterSpans, MatchPlainPixelByPixelDrawing) {
  std::mt19937 random(20240607);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int sizes[][2] = {{1, 1}, {7, 40}, {64, 48}, {400, 300}, {33, 3100}};
  for (const auto &[width, height] : sizes) {
    auto raster = MakeRaster(width, height);
    Image expected(width, height);
    // A pixel's COLORREF is 0xBBGGRR.
    auto setPixel = [&](int x, int y, std::uint32_t colour) {
      raster->SetPixel(x, y, colour);
      if (x >= 0 && y >= 0 && x < width && y < height)
        expected.At(x, y) = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    };
    for (int i = 0; i < width * height; i += pick(1, 3)) setPixel(i % width, i / width, pick(0, 1) << 23 | 0x30507);
    auto plot = [&](const Points &points, std::uint32_t colour) {
      for (const auto &[x, y] : points) expected.At(x, y) = colour;
    };
    int atX = 0, atY = 0;
    unsigned long pen = 0;
    for (int step = 0; step < 300; ++step) {
      if (pick(0, 2) > 0) raster->SelectPen(pen = static_cast<unsigned long>(pick(0, 7)));
      const int x = pick(-40, width + 40), y = pick(-40, height + 40), kind = pick(0, 4);
      if (kind < 3) {  // a line, level, upright or any, from (x, y) or where the last one ended
        if (pick(0, 3) > 0) {
          atX = x, atY = y;
          raster->MoveTo(x, y);
        }
        const int x1 = kind == 1 ? atX : pick(-40, width + 40), y1 = kind == 0 ? atY : pick(-40, height + 40);
        raster->LineTo(x1, y1);
        plot(ReferenceLine(width, height, atX, atY, x1, y1), PenColour(pen));
        atX = x1, atY = y1;
      } else if (kind == 3 && step % 2) {  // an ellipse of at least 3 x 3
        const int w = pick(3, 40), h = step % 7 ? pick(3, 40) : pick(2049, 3000);
        const bool solid = pick(0, 1);
        const std::uint32_t brush = static_cast<std::uint32_t>(pick(0, 0xFFFFFF));
        if (solid) raster->SelectBrush({false, brush});
        raster->Ellipse(x, y, x + w, y + h);
        raster->SelectBrush({});
        const EllipseRows rows(w, h);
        Points outline, inside;
        auto add = [&](Points &to, std::int64_t column, int row) {
          if (x + column >= 0 && x + column < width && y + row >= 0 && y + row < height)
            to.insert({static_cast<int>(x + column), y + row});
        };
        for (int row = 0; row < h; ++row) {
          const EllipseRows::Outline o = rows.Row(row);
          for (int k = 0; k < o.count; ++k)
            for (std::int64_t c = o.spans[k].first; c <= o.spans[k].last; ++c) add(outline, c, row);
          // A solid brush fills each row from the outline's one end to its other.
          if (solid && o.count > 0)
            for (std::int64_t c = o.spans[0].first; c <= o.spans[o.count - 1].last; ++c) add(inside, c, row);
        }
        plot(inside, brush);
        plot(outline, PenColour(pen));
      } else if (kind == 3) {  // a text in any colour
        std::string text;
        for (int n = pick(1, 6); n > 0; --n) text += static_cast<char>(pick(0, 255));
        const COLORREF colour = static_cast<COLORREF>(pick(0, 0xFFFFFF));
        raster->SetTextColour(colour);
        raster->TextOut(x - 20, y - 20, text, static_cast<int>(text.size()));
        DrawText(expected, raster->TextGlyphs(), x - 20, y - 20, text, PixelFromColorref(colour), {0, 0, width, height},
                 PlainBlend);
      } else if (step % 8) {  // a pixel, now and then just off an edge or far off
        const int offX[] = {INT_MIN, -1, width, INT_MAX}, offY[] = {INT_MIN, -1, height, INT_MAX};
        setPixel(pick(0, 2) ? x : offX[pick(0, 3)], pick(0, 2) ? y : offY[pick(0, 3)],
                 static_cast<std::uint32_t>(pick(0, 0xFFFFFF)));
      } else {  // a new frame
        raster->BeginFrame();
        expected = Image(width, height);
      }
      ASSERT_EQ(raster->Frame().pixels, expected.pixels) << width << " x " << height << ", step " << step;
    }
  }
}

// ---- Pens, sizes --------------------------------------------------------------------

TEST(RasterPen, DefaultPensReadWellAndIndicesBeyondThemTakePenZero) {
  const unsigned long pens[] = {0, 1, 2, 3, 4, 5, 6, 100, ULONG_MAX};
  auto raster = MakeRaster(4, 10);
  raster->LineTo(2, 0);  // the pen a surface starts with
  for (int row = 1; row <= 9; ++row) {
    raster->SelectPen(pens[row - 1]);
    raster->MoveTo(0, row);
    raster->LineTo(2, row);
    EXPECT_EQ(raster->Frame().At(0, row), kDefaultPens[row <= 6 ? row - 1 : 0]) << "pen " << pens[row - 1];
  }
  EXPECT_EQ(raster->Frame().At(0, 0), kDefaultPens[0]);
  // Every pen reads well on black (the pens drawn are the golden pictures').
  for (const std::uint32_t pen : kDefaultPens) {
    int most = 0;
    for (int shift = 0; shift <= 16; shift += 8) most = std::max(most, static_cast<int>((pen >> shift) & 0xFF));
    EXPECT_GE(most, 0x80) << std::hex << pen << " is too dark";
  }
}

TEST(RasterFrame, AnySizeFromNothingUpToTheLimit) {
  auto empty = MakeRaster(0, 0);
  empty->BeginFrame();
  empty->LineTo(INT_MAX, INT_MAX);
  empty->Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  empty->Ellipse(0, 0, 2, 2);
  empty->SetPixel(0, 0, 0xFFFFFF);
  empty->TextOut(0, 0, "text", 4);
  EXPECT_TRUE(empty->Frame().pixels.empty());
  EXPECT_TRUE(MakeRaster(0, 7)->Frame().pixels.empty());
  const int refused[][2] = {{-1, 5}, {5, -1}, {8192, 8193}, {INT_MAX, INT_MAX}, {INT_MIN, 1}};
  for (const auto &size : refused) {
    std::string error;
    EXPECT_EQ(Raster::Create(size[0], size[1], SharedFont(), error), nullptr) << size[0] << " x " << size[1];
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_EQ(Raster::Create(4, 4, nullptr, error), nullptr);
  EXPECT_FALSE(error.empty());
}

// ---- Text --------------------------------------------------------------------------

TEST(RasterText, SizeFitsTwentyLinesFortyColumnsAndTheLabels) {
  // The face is 2048 units to the em, its lines 2384 units apart and its
  // characters 1233 wide: 320 × 320 allows 13.7 px by height and 13.3 by width;
  // 7 characters in 80 pixels allow 18.9 px on any display.
  const int cases[][3] = {{320, 320, 13}, {640, 480, 18}, {1000, 200, 8},  {100, 60, 2},
                          {0, 0, 1},      {5, 3000, 1},   {4096, 4096, 18}};
  for (const auto &c : cases) {
    EXPECT_EQ(SharedFont()->SizeFor(c[0], c[1]), c[2]) << c[0] << " x " << c[1];
    EXPECT_EQ(MakeRaster(c[0], c[1])->TextGlyphs().pixelSize, c[2]);
  }
  const GlyphSet &glyphs = MakeRaster(320, 320)->TextGlyphs();
  EXPECT_LE(40 * glyphs.advance, 320);
  EXPECT_LE(20 * glyphs.lineHeight, 320);
}

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
