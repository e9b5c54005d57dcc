#include "standin/images/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <new>

#include "standin/images/palette.h"

namespace standin {
namespace {

constexpr int kMaxDelay = 65535;
constexpr int kMaxSide = 65535;

struct Rect {
  int left, top, width, height;
};

// The smallest rectangle holding every pixel where the pictures differ; 1x1 at
// the origin when none do, as a GIF frame is never empty.
Rect ChangedRect(const Image &before, const Image &after) {
  int left = after.width, right = -1, top = after.height, bottom = -1;
  for (int y = 0; y < after.height; ++y) {
    for (int x = 0; x < after.width; ++x) {
      if (before.At(x, y) == after.At(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {0, 0, 1, 1};
  return {left, top, right - left + 1, bottom - top + 1};
}

// A giflib colour map of `palette`, padded with black to a power of two of at
// least two entries, as the format needs.
class ColourMap {
 public:
  explicit ColourMap(const std::vector<std::uint32_t> &palette) {
    int size = 2;
    while (size < static_cast<int>(palette.size())) size *= 2;
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i) {
      colours[i] = {static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
                    static_cast<GifByteType>(palette[i])};
    }
    map_ = GifMakeMapObject(size, colours.data());
  }
  ~ColourMap() { GifFreeMapObject(map_); }
  ColourMap(const ColourMap &) = delete;
  ColourMap &operator=(const ColourMap &) = delete;

  const ColorMapObject *Get() const { return map_; }

 private:
  ColorMapObject *map_;
};

}  // namespace

bool GifWriter::Available(std::string &) { return true; }

GifWriter::~GifWriter() {
  if (!gif_) return;
  discard_ = true;
  EGifCloseFile(gif_, nullptr);
}

int GifWriter::Write(GifFileType *gif, const std::uint8_t *data, int length) {
  auto *self = static_cast<GifWriter *>(gif->UserData);
  if (self->discard_ || length <= 0) return length;
  const auto size = static_cast<std::size_t>(length);
  if (self->file_) {
    const std::size_t written = std::fwrite(data, 1, size, self->file_);
    if (written != size) self->writeFailed_ = true;
    return static_cast<int>(written);
  }
  try {
    self->bytes_->insert(self->bytes_->end(), data, data + size);
    return length;
  } catch (const std::bad_alloc &) {
    self->writeFailed_ = true;
    return 0;
  }
}

bool GifWriter::Fail(int code) {
  const char *text = writeFailed_ ? "write failed" : GifErrorString(code);
  failure_ = std::string("GIF: ") + (text ? text : "error " + std::to_string(code));
  return false;
}

bool GifWriter::Start(int width, int height) {
  int code = 0;
  gif_ = EGifOpen(this, Write, &code);
  if (!gif_) return Fail(code);
  EGifSetGifVersion(gif_, true);
  if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) == GIF_ERROR) return Fail(gif_->Error);

  // The application extension that makes viewers loop forever (a count of 0).
  static const char kLoopName[] = "NETSCAPE2.0";
  static const GifByteType kLoopForever[] = {1, 0, 0};
  if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(gif_, sizeof kLoopName - 1, kLoopName) == GIF_ERROR ||
      EGifPutExtensionBlock(gif_, sizeof kLoopForever, kLoopForever) == GIF_ERROR ||
      EGifPutExtensionTrailer(gif_) == GIF_ERROR) {
    return Fail(gif_->Error);
  }
  canvas_ = Image(width, height);
  return true;
}

bool GifWriter::WriteFrame(const Image &frame, int delayCentiseconds) {
  const Rect rect = pendingIsFirst_ ? Rect{0, 0, frame.width, frame.height} : ChangedRect(canvas_, frame);
  pendingIsFirst_ = false;
  std::vector<std::uint32_t> region;
  region.reserve(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height));
  for (int y = rect.top; y < rect.top + rect.height; ++y)
    for (int x = rect.left; x < rect.left + rect.width; ++x) region.push_back(frame.At(x, y));
  IndexedPixels indexed = IndexColours(region);
  for (std::size_t i = 0; i < region.size(); ++i) {
    const int x = rect.left + static_cast<int>(i % static_cast<std::size_t>(rect.width));
    const int y = rect.top + static_cast<int>(i / static_cast<std::size_t>(rect.width));
    canvas_.At(x, y) = indexed.palette[indexed.indices[i]];
  }

  const GraphicsControlBlock control{DISPOSE_DO_NOT, false, delayCentiseconds, NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const std::size_t extensionLength = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength), extension) == GIF_ERROR)
    return Fail(gif_->Error);
  const ColourMap map(indexed.palette);
  if (!map.Get()) return Fail(E_GIF_ERR_NOT_ENOUGH_MEM);
  if (EGifPutImageDesc(gif_, rect.left, rect.top, rect.width, rect.height, false, map.Get()) == GIF_ERROR)
    return Fail(gif_->Error);
  for (int row = 0; row < rect.height; ++row) {
    GifPixelType *line = indexed.indices.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(rect.width);
    if (EGifPutLine(gif_, line, rect.width) == GIF_ERROR) return Fail(gif_->Error);
  }
  return true;
}

bool GifWriter::AddFrame(const Image &frame, int delayCentiseconds, std::string &error) {
  if (!failure_.empty()) {
    error = failure_;
    return false;
  }
  if (finished_) {
    error = "GIF: the animation is already finished";
    return false;
  }
  if (delayCentiseconds < 0 || delayCentiseconds > kMaxDelay) {
    error = "GIF: a frame delay must be 0 to 65535 centiseconds";
    return false;
  }
  if (frame.width <= 0 || frame.height <= 0) {
    error = "cannot write an empty picture";
    return false;
  }
  if (frame.pixels.size() != static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) {
    error = "picture's pixels do not match its size";
    return false;
  }
  if (frame.width > kMaxSide || frame.height > kMaxSide) {
    error = "GIF: a picture is at most 65535 pixels a side";
    return false;
  }
  if (gif_ && (frame.width != pending_.width || frame.height != pending_.height)) {
    error = "GIF: frame is " + std::to_string(frame.width) + "x" + std::to_string(frame.height) + ", the animation " +
            std::to_string(pending_.width) + "x" + std::to_string(pending_.height);
    return false;
  }

  if (!gif_) {
    if (!Start(frame.width, frame.height)) {
      error = failure_;
      return false;
    }
    pendingIsFirst_ = true;
  } else if (frame.pixels == pending_.pixels && pendingDelay_ + delayCentiseconds <= kMaxDelay) {
    pendingDelay_ += delayCentiseconds;
    return true;
  } else if (!WriteFrame(pending_, pendingDelay_)) {
    error = failure_;
    return false;
  }
  pending_ = frame;
  pendingDelay_ = delayCentiseconds;
  return true;
}

bool GifWriter::Finish(std::string &error) {
  if (!failure_.empty()) {
    error = failure_;
    return false;
  }
  if (finished_) {
    error = "GIF: the animation is already finished";
    return false;
  }
  if (!gif_) {
    error = "GIF: no frames to write";
    return false;
  }
  if (!WriteFrame(pending_, pendingDelay_)) {
    error = failure_;
    return false;
  }
  finished_ = true;
  pending_ = {};
  canvas_ = {};
  int code = 0;
  GifFileType *gif = gif_;
  gif_ = nullptr;
  if (EGifCloseFile(gif, &code) == GIF_ERROR || writeFailed_) {
    Fail(code);
    error = failure_;
    return false;
  }
  return true;
}

}  // namespace standin
