// A 32-bit picture: what a pixel surface renders into and image writers write.
#pragma once

#include <cstdint>
#include <vector>

#include "host/platform.h"

namespace standin {

// Pixels are 0x00RRGGBB, rows top to bottom, no padding between rows.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Image() = default;
  Image(int w, int h, std::uint32_t fill = 0)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  std::uint32_t &At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The platform's COLORREF (0x00BBGGRR) as an image pixel (0x00RRGGBB).
inline std::uint32_t PixelFromColorref(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace standin
