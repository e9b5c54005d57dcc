// The text size for a display, shared by every way of getting glyphs.
#include <algorithm>

#include "standin/core/text_size.h"
#include "standin/raster/font.h"

namespace standin {

int Font::SizeFor(const FaceMetrics &metrics, int width, int height) {
  return std::min(TextPixelSize(metrics.unitsPerEm, metrics.height, metrics.maxAdvance, width, height), kMaxPixelSize);
}

}  // namespace standin
