// The image writers, read back through the same libraries (the golden pictures
// hold the PNG writer's pixels end to end); the PNG encoder of its own (for
// builds without libpng) against libpng's very bytes, on the golden pictures
// and on pictures that take each of libpng's special cases; and the zoom.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "standin/images/gif_writer.h"
#include "standin/images/png_encoder.h"
#include "standin/images/png_writer.h"
#include "standin/images/zoom.h"
#include "tests/support/png_read.h"

namespace standin {
namespace {

using namespace std::string_literals;
using velbrik_test::SamePixels;
using Bytes = std::vector<std::uint8_t>;

// A cockpit-like picture: black, a few pen colours, a line of grey fringe.
Image FewColours(int width, int height, int seed) {
  Image image(width, height);
  const std::uint32_t pens[] = {0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF4040};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((x * 7 + y * 3 + seed) % 11 == 0) image.At(x, y) = pens[(x + y + seed) % 4];
  for (int x = 0; x < width; ++x) image.At(x, height / 2) = 0x010101u * static_cast<std::uint32_t>(x * 255 / width);
  return image;
}

// 1024 distinct colours that drift smoothly.
Image ManyColours() {
  Image image(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      image.At(x, y) = static_cast<std::uint32_t>((x * 8) << 16 | (y * 8) << 8 | (x + y) * 4);
  return image;
}

// ---- GIF decoding ---------------------------------------------------------------------

struct Frame {
  Image picture;  // the screen after this frame is drawn
  int delay;
  int left, top, width, height;  // the rectangle the frame stores
};

int ReadGif(GifFileType *gif, GifByteType *out, int length) {
  return static_cast<int>(
      std::fread(out, 1, static_cast<std::size_t>(length), static_cast<std::FILE *>(gif->UserData)));
}

// Plays the animation as a viewer would, keeping the screen after each frame.
std::vector<Frame> DecodeGif(Bytes bytes) {
  std::FILE *file = fmemopen(bytes.data(), bytes.size(), "rb");
  int code = 0;
  GifFileType *gif = DGifOpen(file, ReadGif, &code);
  std::vector<Frame> frames;
  if (!gif || DGifSlurp(gif) != GIF_OK) {
    ADD_FAILURE() << "GIF read failed: " << GifErrorString(gif ? gif->Error : code);
    DGifCloseFile(gif, &code);
    std::fclose(file);
    return frames;
  }
  Image screen(gif->SWidth, gif->SHeight);
  for (int n = 0; n < gif->ImageCount; ++n) {
    const SavedImage &image = gif->SavedImages[n];
    const GifImageDesc &desc = image.ImageDesc;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    for (int y = 0; y < desc.Height; ++y) {
      for (int x = 0; x < desc.Width; ++x) {
        const GifColorType c = map->Colors[image.RasterBits[y * desc.Width + x]];
        screen.At(desc.Left + x, desc.Top + y) = static_cast<std::uint32_t>(c.Red << 16 | c.Green << 8 | c.Blue);
      }
    }
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(gif, n, &control), GIF_OK);
    frames.push_back({screen, control.DelayTime, desc.Left, desc.Top, desc.Width, desc.Height});
  }
  DGifCloseFile(gif, &code);
  std::fclose(file);
  return frames;
}

Bytes EncodeGif(const std::vector<Image> &frames, int delay) {
  Bytes bytes;
  GifWriter writer(bytes);
  std::string error;
  for (const Image &frame : frames) EXPECT_TRUE(writer.AddFrame(frame, delay, error)) << error;
  EXPECT_TRUE(writer.Finish(error)) << error;
  return bytes;
}

// ---- PNG ------------------------------------------------------------------------------

void ExpectLibpngsBytes(const Image &image, const std::string &what) {
  std::string libpngError, ownError;
  const Bytes libpng = EncodePng(image, libpngError);
  ASSERT_FALSE(libpng.empty()) << what << ": " << libpngError;
  EXPECT_EQ(EncodePngWithZlib(image, ownError), libpng) << what << " (" << image.width << "x" << image.height << ")";
}

TEST(PngEncoder, GivesLibpngsBytesForTheGoldenPicturesAndEveryShape) {
  int golden = 0;
  for (const auto &entry : std::filesystem::directory_iterator(VELBRIK_GOLDEN)) {
    const auto image = velbrik_test::ReadPng(entry.path().string());
    ASSERT_TRUE(image) << entry.path();
    ExpectLibpngsBytes(*image, entry.path().filename().string());
    ++golden;
  }
  EXPECT_GE(golden, 5);
  // One row or column, a window fitted to small data (exactly a window's size
  // too), data over several IDAT chunks; sparse noise on a flat colour and a
  // gradient make every filter win on some rows.
  const struct {
    int width, height;
  } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {3, 3}, {5, 512}, {5, 1024}, {40, 30}, {100, 60}, {320, 200}};
  std::mt19937 random(7);
  for (const auto size : sizes) {
    Image noise(size.width, size.height, 0x3C8CFF), gradient(size.width, size.height);
    for (auto &pixel : noise.pixels)
      if (random() % 4 == 0) pixel = random() & 0xFFFFFF;
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) gradient.At(x, y) = ((x * 7 + y * 3) * 0x010203u) & 0xFFFFFF;
    ExpectLibpngsBytes(noise, "noise");
    ExpectLibpngsBytes(gradient, "gradient");
  }
}

TEST(PngWriter, BothEncodersRefuseEmptyAndMalformedPictures) {
  Image malformed(4, 4);
  malformed.pixels.pop_back();
  const struct {
    Image picture;
    const char *error;
  } cases[] = {{Image(0, 5), "cannot write an empty picture"},
               {Image(5, 0), "cannot write an empty picture"},
               {malformed, "picture's pixels do not match its size"}};
  for (const auto &c : cases)
    for (auto *encode : {&EncodePng, &EncodePngWithZlib}) {
      std::string error;
      EXPECT_TRUE(encode(c.picture, error).empty());
      EXPECT_EQ(error, c.error);
    }
}

// ---- GIF ------------------------------------------------------------------------------

TEST(GifWriter, RoundTripsFramesDelaysAndLoop) {
  std::vector<Image> frames;
  for (int n = 0; n < 5; ++n) frames.push_back(FewColours(40, 30, n));
  // Frames that change a corner pixel, then two pixels: each stores just that.
  frames.push_back(frames.back());
  frames.back().At(39, 29) = 0xFFFFFF;
  frames.push_back(frames.back());
  frames.back().At(3, 4) = 0x123456;
  frames.back().At(5, 7) = 0x123456;
  const Bytes bytes = EncodeGif(frames, 4);
  // The application extension that loops: its name, then sub-block 1 with a count of 0, forever.
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00"s),
            std::string::npos);
  const std::vector<Frame> decoded = DecodeGif(bytes);
  ASSERT_EQ(decoded.size(), frames.size());
  for (std::size_t n = 0; n < frames.size(); ++n) {
    EXPECT_TRUE(SamePixels(frames[n], decoded[n].picture)) << "frame " << n;
    EXPECT_EQ(decoded[n].delay, 4) << "frame " << n;
  }
  const Frame &first = decoded[0], &corner = decoded[5], &pair = decoded[6];
  EXPECT_EQ((std::vector{first.left, first.top, first.width, first.height}), (std::vector{0, 0, 40, 30}));
  EXPECT_EQ((std::vector{corner.left, corner.top, corner.width, corner.height}), (std::vector{39, 29, 1, 1}));
  EXPECT_EQ((std::vector{pair.left, pair.top, pair.width, pair.height}), (std::vector{3, 4, 3, 4}));
}

TEST(GifWriter, MergesRepeatedFramesIntoOneLongerFrame) {
  const Image a = FewColours(16, 16, 0), b = FewColours(16, 16, 1);
  const std::pair<const Image *, int> added[] = {{&a, 3}, {&a, 5}, {&b, 2}, {&b, 65533}, {&b, 1}};
  // Repeats merge up to a delay of 65535; one that would pass it stays a frame of its own.
  const std::pair<const Image *, int> expected[] = {{&a, 8}, {&b, 65535}, {&b, 1}};
  Bytes bytes;
  GifWriter writer(bytes);
  std::string error;
  for (auto [frame, delay] : added) ASSERT_TRUE(writer.AddFrame(*frame, delay, error)) << error;
  ASSERT_TRUE(writer.Finish(error)) << error;
  const std::vector<Frame> decoded = DecodeGif(bytes);
  ASSERT_EQ(decoded.size(), std::size(expected));
  for (std::size_t n = 0; n < std::size(expected); ++n) {
    EXPECT_TRUE(SamePixels(*expected[n].first, decoded[n].picture)) << "frame " << n;
    EXPECT_EQ(decoded[n].delay, expected[n].second) << "frame " << n;
  }
}

TEST(GifWriter, QuantizesFramesOfManyColoursClosely) {
  const Image picture = ManyColours();
  const std::vector<Frame> decoded = DecodeGif(EncodeGif({picture, FewColours(32, 32, 0)}, 10));
  ASSERT_EQ(decoded.size(), 2u);
  int worst = 0;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    for (int shift = 0; shift <= 16; shift += 8)
      worst = std::max(worst, std::abs(static_cast<int>((picture.pixels[i] >> shift) & 0xFF) -
                                       static_cast<int>((decoded[0].picture.pixels[i] >> shift) & 0xFF)));
  EXPECT_LE(worst, 6);
  // A few-colour frame after a quantized one is exact again everywhere.
  EXPECT_TRUE(SamePixels(FewColours(32, 32, 0), decoded[1].picture));
}

TEST(GifWriter, RefusesBadFramesAndKeepsGoingAndNeedsAFrame) {
  Image malformed(8, 8);
  malformed.pixels.pop_back();
  const struct {
    Image frame;
    int delay;
    const char *error;
  } cases[] = {{Image(9, 8), 1, "GIF: frame is 9x8, the animation 8x8"},
               {Image(8, 9), 1, "GIF: frame is 8x9, the animation 8x8"},
               {Image(0, 8), 1, "cannot write an empty picture"},
               {malformed, 1, "picture's pixels do not match its size"},
               {Image(8, 8), -1, "GIF: a frame delay must be 0 to 65535 centiseconds"},
               {Image(8, 8), 65536, "GIF: a frame delay must be 0 to 65535 centiseconds"},
               {Image(70000, 1), 1, "GIF: a picture is at most 65535 pixels a side"}};
  Bytes bytes, unfinished;
  {
    GifWriter writer(unfinished);
    std::string error;
    EXPECT_FALSE(writer.Finish(error));
    EXPECT_EQ(error, "GIF: no frames to write");
    ASSERT_TRUE(writer.AddFrame(FewColours(8, 8, 0), 2, error)) << error;
  }
  EXPECT_TRUE(!unfinished.empty() && unfinished.back() != ';') << "no trailer on an unfinished animation";
  GifWriter writer(bytes);
  std::string error;
  ASSERT_TRUE(writer.AddFrame(FewColours(8, 8, 0), 2, error)) << error;
  for (const auto &c : cases) {
    error.clear();
    EXPECT_FALSE(writer.AddFrame(c.frame, c.delay, error));
    EXPECT_EQ(error, c.error);
  }
  ASSERT_TRUE(writer.AddFrame(FewColours(8, 8, 1), 2, error)) << error;
  ASSERT_TRUE(writer.Finish(error)) << error;
  EXPECT_EQ(DecodeGif(bytes).size(), 2u);
  EXPECT_FALSE(writer.Finish(error));
  EXPECT_EQ(error, "GIF: the animation is already finished");
}

// ---- Through streams ---------------------------------------------------------------------

// What both writers put in a file (a PNG, then a GIF, in one stream) is the
// bytes they give in memory; a full disk fails both.
TEST(ImageWriters, WriteToStreamsAndReportFailedWrites) {
  const Image picture = FewColours(20, 10, 4);
  std::string error;
  Bytes expected = EncodePng(picture, error), gif = EncodeGif({picture}, 1);
  expected.insert(expected.end(), gif.begin(), gif.end());
  std::FILE *file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    GifWriter writer(file);
    EXPECT_TRUE(WritePng(file, picture, error) && writer.AddFrame(picture, 1, error) && writer.Finish(error)) << error;
  }
  Bytes written(static_cast<std::size_t>(std::ftell(file)));
  std::rewind(file);
  EXPECT_EQ(std::fread(written.data(), 1, written.size(), file), written.size());
  std::fclose(file);
  EXPECT_EQ(written, expected);

  std::FILE *full = std::fopen("/dev/full", "wb");
  if (!full) GTEST_SKIP() << "no /dev/full";
  std::setvbuf(full, nullptr, _IONBF, 0);
  EXPECT_FALSE(WritePng(full, picture, error));
  EXPECT_EQ(error, "PNG: write failed");
  GifWriter writer(full);
  EXPECT_FALSE(writer.AddFrame(picture, 1, error) && writer.Finish(error));
  EXPECT_EQ(error, "GIF: write failed");
  std::fclose(full);
}

// ---- Zoom -----------------------------------------------------------------------------

TEST(Zoom, MakesEachPixelABlock) {
  Image picture(3, 2);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<std::uint32_t>(i + 1);
  for (int factor : {1, 2, 5}) {
    const Image zoomed = Zoom(picture, factor);
    ASSERT_EQ(zoomed.width, 3 * factor);
    ASSERT_EQ(zoomed.height, 2 * factor);
    for (int y = 0; y < zoomed.height; ++y)
      for (int x = 0; x < zoomed.width; ++x)
        ASSERT_EQ(zoomed.At(x, y), picture.At(x / factor, y / factor)) << x << "," << y << " by " << factor;
  }
}

TEST(Zoom, GivesAnEmptyPictureWhenItCannot) {
  Image malformed(2, 2);
  malformed.pixels.pop_back();
  const struct {
    Image picture;
    int factor;
  } cases[] = {{Image(4, 4), 0},     {Image(4, 4), -2},        {Image(), 3},          {malformed, 2},
               {Image(1, 1), 16385}, {Image(16384, 1), 16384}, {Image(1, 2), 1 << 30}};
  for (const auto &c : cases) {
    const Image zoomed = Zoom(c.picture, c.factor);
    EXPECT_TRUE(zoomed.width == 0 && zoomed.height == 0 && zoomed.pixels.empty())
        << c.picture.width << "x" << c.picture.height << " by " << c.factor;
  }
}

}  // namespace
}  // namespace standin
