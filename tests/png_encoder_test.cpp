// The PNG encoder of its own (for builds without libpng) gives libpng's very
// bytes: on the golden pictures, and on pictures that take each of libpng's
// special cases (one row or column, a window fitted to small data, data
// spread over several IDAT chunks, every filter winning somewhere).
#include "standin/images/png_encoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "standin/images/png_writer.h"
#include "tests/support/png_read.h"

namespace {

void ExpectSameBytes(const standin::Image &image, const std::string &what) {
  std::string libpngError, ownError;
  const auto libpng = standin::EncodePng(image, libpngError);
  const auto own = standin::EncodePngWithZlib(image, ownError);
  ASSERT_FALSE(libpng.empty()) << what << ": " << libpngError;
  EXPECT_EQ(own, libpng) << what << " (" << image.width << "x" << image.height << ")";
}

TEST(PngEncoder, GivesLibpngsBytesForTheGoldenPictures) {
  int pictures = 0;
  for (const auto &entry : std::filesystem::directory_iterator(VELBRIK_GOLDEN)) {
    const auto image = velbrik_test::ReadPng(entry.path().string());
    ASSERT_TRUE(image) << entry.path();
    ExpectSameBytes(*image, entry.path().filename().string());
    ++pictures;
  }
  EXPECT_GE(pictures, 5);
}

TEST(PngEncoder, GivesLibpngsBytesForEveryShapeOfPicture) {
  const struct { int width, height; } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {3, 3}, {40, 30}, {100, 60}, {320, 200}};
  std::mt19937 random(7);
  for (const auto size : sizes) {
    // Sparse noise on a flat colour, and a gradient: between them every filter wins on some rows.
    standin::Image noise(size.width, size.height, 0x3C8CFF), gradient(size.width, size.height);
    for (auto &pixel : noise.pixels)
      if (random() % 4 == 0) pixel = random() & 0xFFFFFF;
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) gradient.At(x, y) = ((x * 7 + y * 3) * 0x010203u) & 0xFFFFFF;
    ExpectSameBytes(noise, "noise");
    ExpectSameBytes(gradient, "gradient");
  }
}

TEST(PngEncoder, RefusesEmptyAndMalformedPictures) {
  std::string error;
  EXPECT_TRUE(standin::EncodePngWithZlib(standin::Image(0, 5), error).empty());
  standin::Image malformed(4, 4);
  malformed.pixels.pop_back();
  error.clear();
  EXPECT_TRUE(standin::EncodePngWithZlib(malformed, error).empty());
  EXPECT_FALSE(error.empty());
}

}  // namespace
