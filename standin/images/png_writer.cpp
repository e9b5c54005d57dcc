#include "standin/images/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace standin {
namespace {

constexpr int kCompressionLevel = 9;

// What libpng's callbacks reach through its user pointers. Plain data only:
// libpng leaves its callbacks by longjmp, which skips destructors.
struct PngContext {
  std::vector<std::uint8_t> *bytes;
  char message[256];
};

bool Append(std::vector<std::uint8_t> &bytes, const png_byte *data, std::size_t length) {
  try {
    bytes.insert(bytes.end(), data, data + length);
    return true;
  } catch (const std::bad_alloc &) {
    return false;
  }
}

void WriteData(png_structp png, png_bytep data, std::size_t length) {
  auto *context = static_cast<PngContext *>(png_get_io_ptr(png));
  if (!Append(*context->bytes, data, length)) png_error(png, "out of memory");
}

void FlushData(png_structp) {}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto *context = static_cast<PngContext *>(png_get_error_ptr(png));
  std::snprintf(context->message, sizeof context->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Owns libpng's write and info structures.
class PngHandle {
 public:
  explicit PngHandle(PngContext &context)
      : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning)),
        info_(png_ ? png_create_info_struct(png_) : nullptr) {}
  ~PngHandle() { png_destroy_write_struct(&png_, &info_); }
  PngHandle(const PngHandle &) = delete;
  PngHandle &operator=(const PngHandle &) = delete;

  bool Valid() const { return png_ && info_; }
  png_structp Png() { return png_; }
  png_infop Info() { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

// Runs libpng over ready rows. This frame holds the setjmp, so it owns nothing
// with a destructor; false when libpng reported an error.
bool RunEncoder(png_structp png, png_infop info, PngContext &context, int width, int height, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &context, WriteData, FlushData);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kCompressionLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image &image, std::string &error) {
  if (image.width <= 0 || image.height <= 0) {
    error = "cannot write an empty picture";
    return {};
  }
  const auto width = static_cast<std::size_t>(image.width);
  if (image.pixels.size() != width * static_cast<std::size_t>(image.height)) {
    error = "picture's pixels do not match its size";
    return {};
  }

  std::vector<png_byte> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[3 * i] = static_cast<png_byte>(image.pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<png_byte>(image.pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<png_byte>(image.pixels[i]);
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = rgb.data() + y * width * 3;

  std::vector<std::uint8_t> bytes;
  PngContext context{&bytes, {}};
  PngHandle handle(context);
  if (!handle.Valid()) {
    error = "PNG: out of memory";
    return {};
  }
  if (!RunEncoder(handle.Png(), handle.Info(), context, image.width, image.height, rows.data())) {
    error = std::string("PNG: ") + context.message;
    return {};
  }
  return bytes;
}

}  // namespace standin
