#include "tests/support/png_read.h"

#include <png.h>

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

::testing::AssertionResult SamePixels(const standin::Image &expected, const standin::Image &actual) {
  if (expected.width != actual.width || expected.height != actual.height)
    return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height << ", expected "
                                         << expected.width << "x" << expected.height;
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      if (expected.At(x, y) != actual.At(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex << actual.At(x, y)
                                             << ", expected " << expected.At(x, y);
  return ::testing::AssertionSuccess();
}

}  // namespace velbrik_test
