// The text size for a display, shared by every way of getting glyphs.
#include <algorithm>

#include "standin/raster/font.h"

namespace standin {
namespace {

constexpr int kLines = 20;    // text lines that fill a display's height
constexpr int kColumns = 40;  // characters that fill its width

}  // namespace

int Font::SizeFor(const FaceMetrics &metrics, int width, int height) {
  const std::int64_t byHeight = std::int64_t{std::max(height, 0)} * metrics.unitsPerEm / (kLines * metrics.height);
  const std::int64_t byWidth = std::int64_t{std::max(width, 0)} * metrics.unitsPerEm / (kColumns * metrics.maxAdvance);
  return static_cast<int>(std::clamp<std::int64_t>(std::min(byHeight, byWidth), 1, kMaxPixelSize));
}

}  // namespace standin
