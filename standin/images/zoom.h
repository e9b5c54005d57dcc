// Whole-number enlargement of a picture, for looking at a small display up close.
#pragma once

#include <cstdint>

#include "standin/images/image.h"

namespace standin {

// The largest picture Zoom makes, in pixels.
inline constexpr std::int64_t kMaxZoomPixels = std::int64_t{256} * 1024 * 1024;

// Each pixel of `image` becomes a `factor` x `factor` block. Gives an empty
// picture for a factor below 1, an empty or malformed input (pixels not
// width x height), or a result above kMaxZoomPixels.
Image Zoom(const Image &image, int factor);

}  // namespace standin
