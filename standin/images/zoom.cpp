#include "standin/images/zoom.h"

#include <algorithm>

namespace standin {

Image Zoom(const Image &image, int factor) {
  if (factor < 1 || image.width <= 0 || image.height <= 0) return {};
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) return {};
  const std::int64_t width = std::int64_t{image.width} * factor;
  const std::int64_t height = std::int64_t{image.height} * factor;
  if (width > kMaxZoomPixels || height > kMaxZoomPixels || width * height > kMaxZoomPixels) return {};

  Image zoomed(static_cast<int>(width), static_cast<int>(height));
  const auto rowLength = static_cast<std::size_t>(width);
  for (int y = 0; y < image.height; ++y) {
    auto row = zoomed.pixels.begin() + static_cast<std::ptrdiff_t>(rowLength * y * factor);
    auto out = row;
    for (int x = 0; x < image.width; ++x) out = std::fill_n(out, factor, image.At(x, y));
    // The first zoomed row of this source row, repeated.
    for (int copy = 1; copy < factor; ++copy) out = std::copy_n(row, rowLength, out);
  }
  return zoomed;
}

}  // namespace standin
