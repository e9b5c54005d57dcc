#include "tests/support/png_read.h"

#include <png.h>

#include <vector>

namespace velbrik_test {

std::optional<standin::Image> ReadPng(const std::string &path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return std::nullopt;
  png.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  standin::Image image(static_cast<int>(png.width), static_cast<int>(png.height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = std::uint32_t{rgb[3 * i]} << 16 | std::uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
  return image;
}

}  // namespace velbrik_test
