#include "standin/images/png_encoder.h"

#include <zlib.h>

#include <array>
#include <cstdlib>

namespace standin {
namespace {

constexpr int kLevel = 9;
constexpr int kMemoryLevel = 8;
constexpr std::size_t kChunkSize = 8192;  // IDAT data is written in pieces of this size
constexpr int kBytesPerPixel = 3;

enum Filter : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth };

void Put32(std::vector<std::uint8_t> &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(std::vector<std::uint8_t> &out, const char type[5], const std::uint8_t *data, std::size_t length) {
  Put32(out, static_cast<std::uint32_t>(length));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + length);
  const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
  Put32(out, static_cast<std::uint32_t>(crc));
}

// How far a filtered byte is from zero, read as signed: libpng's measure.
std::size_t Weight(std::uint8_t v) { return v < 128 ? v : 256u - v; }

std::uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// `row` filtered by `filter` against `above` into `out` (filter byte first);
// returns the filtered bytes' total weight.
std::size_t ApplyFilter(Filter filter, const std::vector<std::uint8_t> &row, const std::vector<std::uint8_t> &above,
                        std::vector<std::uint8_t> &out) {
  out[0] = filter;
  std::size_t sum = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
    const int up = above[i];
    const int upLeft = i >= kBytesPerPixel ? above[i - kBytesPerPixel] : 0;
    int predicted = 0;
    switch (filter) {
      case kNone: predicted = 0; break;
      case kSub: predicted = left; break;
      case kUp: predicted = up; break;
      case kAverage: predicted = (left + up) / 2; break;
      case kPaeth: predicted = PaethPredictor(left, up, upLeft); break;
    }
    const auto v = static_cast<std::uint8_t>(row[i] - predicted);
    out[i + 1] = v;
    sum += Weight(v);
  }
  return sum;
}

// Owns a deflate stream that writes IDAT chunks as its output fills.
class IdatStream {
 public:
  IdatStream(std::vector<std::uint8_t> &png, std::size_t imageBytes) : png_(png), imageBytes_(imageBytes) {}
  ~IdatStream() {
    if (started_) deflateEnd(&stream_);
  }
  IdatStream(const IdatStream &) = delete;
  IdatStream &operator=(const IdatStream &) = delete;

  bool Start() {
    // A window no larger than a small picture needs; zlib takes 9 for 8.
    int windowBits = 15;
    if (imageBytes_ <= 16384) {
      std::size_t half = std::size_t{1} << (windowBits - 1);
      while (imageBytes_ + 262 <= half) {
        half >>= 1;
        --windowBits;
      }
    }
    if (windowBits == 8) windowBits = 9;
    started_ = deflateInit2(&stream_, kLevel, Z_DEFLATED, windowBits, kMemoryLevel, Z_FILTERED) == Z_OK;
    Reset();
    return started_;
  }

  bool Write(const std::uint8_t *data, std::size_t length, int flush) {
    stream_.next_in = const_cast<Bytef *>(data);
    stream_.avail_in = static_cast<uInt>(length);
    for (;;) {
      const int status = deflate(&stream_, flush);
      if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) return false;
      if (stream_.avail_out == 0) {
        Emit(kChunkSize);
        continue;
      }
      if (flush == Z_FINISH ? status == Z_STREAM_END : stream_.avail_in == 0) break;
    }
    if (flush == Z_FINISH && stream_.avail_out < kChunkSize) Emit(kChunkSize - stream_.avail_out);
    return true;
  }

 private:
  void Reset() {
    stream_.next_out = buffer_.data();
    stream_.avail_out = static_cast<uInt>(buffer_.size());
  }

  void Emit(std::size_t length) {
    if (first_) FitHeader();
    first_ = false;
    Chunk(png_, "IDAT", buffer_.data(), length);
    Reset();
  }

  // The zlib header names the smallest window that holds a small picture.
  void FitHeader() {
    if (imageBytes_ > 16384) return;
    unsigned cmf = buffer_[0];
    if ((cmf & 0x0F) != 8 || (cmf & 0xF0) > 0x70) return;
    unsigned info = cmf >> 4;
    std::size_t half = std::size_t{1} << (info + 7);
    if (imageBytes_ > half) return;
    do {
      half >>= 1;
      --info;
    } while (info > 0 && imageBytes_ <= half);
    cmf = (cmf & 0x0F) | (info << 4);
    buffer_[0] = static_cast<std::uint8_t>(cmf);
    unsigned flags = buffer_[1] & 0xE0;
    flags += 0x1F - ((cmf << 8) + flags) % 0x1F;
    buffer_[1] = static_cast<std::uint8_t>(flags);
  }

  std::vector<std::uint8_t> &png_;
  std::size_t imageBytes_;
  z_stream stream_{};
  bool started_ = false;
  bool first_ = true;
  std::array<std::uint8_t, kChunkSize> buffer_{};
};

}  // namespace

std::vector<std::uint8_t> EncodePngWithZlib(const Image &image, std::string &error) {
  if (image.width <= 0 || image.height <= 0) {
    error = "cannot write an empty picture";
    return {};
  }
  const auto width = static_cast<std::size_t>(image.width), height = static_cast<std::size_t>(image.height);
  if (image.pixels.size() != width * height) {
    error = "picture's pixels do not match its size";
    return {};
  }

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, adaptive filters, not interlaced
  Chunk(png, "IHDR", header.data(), header.size());

  // A filter that needs the row above is not tried on a picture one row high,
  // nor one that needs the pixel to the left on a picture one pixel wide.
  std::vector<Filter> filters = {kNone, kSub, kUp, kAverage, kPaeth};
  if (height == 1) filters = {kNone, kSub};
  if (width == 1) filters = height == 1 ? std::vector<Filter>{kNone} : std::vector<Filter>{kNone, kUp};

  const std::size_t rowBytes = width * kBytesPerPixel;
  IdatStream idat(png, (rowBytes + 1) * height);
  if (!idat.Start()) {
    error = "PNG: cannot start the compressor";
    return {};
  }
  std::vector<std::uint8_t> above(rowBytes, 0), row(rowBytes), best(rowBytes + 1), trial(rowBytes + 1);
  for (std::size_t y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = image.pixels[y * width + x];
      row[3 * x] = static_cast<std::uint8_t>(pixel >> 16);
      row[3 * x + 1] = static_cast<std::uint8_t>(pixel >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(pixel);
    }
    // The lightest filtered row wins; the earlier filter on a tie.
    std::size_t lightest = ApplyFilter(filters[0], row, above, best);
    for (std::size_t f = 1; f < filters.size(); ++f) {
      const std::size_t weight = ApplyFilter(filters[f], row, above, trial);
      if (weight < lightest) {
        lightest = weight;
        best.swap(trial);
      }
    }
    if (!idat.Write(best.data(), best.size(), Z_NO_FLUSH)) {
      error = "PNG: compression failed";
      return {};
    }
    above.swap(row);
  }
  if (!idat.Write(nullptr, 0, Z_FINISH)) {
    error = "PNG: compression failed";
    return {};
  }
  Chunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace standin
