// Writes an animated GIF that loops forever, frame by frame as they come.
//
// Each frame has its own palette: exact when the frame holds at most 256
// colours, else 256 cut from them (see palette.h). A frame stores only the
// rectangle that differs from what the previous frames left on screen, and a
// frame identical to the one before lengthens that frame's delay instead of
// adding another. The same frames always give the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "standin/images/image.h"

struct GifFileType;

namespace standin {

class GifWriter {
 public:
  // Whether this build writes GIFs at all; if not, why not.
  static bool Available(std::string &why);

  // Writes to `out`, which stays open and is not owned.
  explicit GifWriter(std::FILE *out) : file_(out) {}
  // Appends to `out`, which must outlive the writer.
  explicit GifWriter(std::vector<std::uint8_t> &out) : bytes_(&out) {}
  ~GifWriter();  // an unfinished animation gets no trailer
  GifWriter(const GifWriter &) = delete;
  GifWriter &operator=(const GifWriter &) = delete;

  // Adds `frame`, shown for `delayCentiseconds` (0..65535). Every frame must
  // have the first one's size; a rejected frame leaves the animation as it was.
  bool AddFrame(const Image &frame, int delayCentiseconds, std::string &error);
  // Writes the last frame and the trailer; needs at least one frame. After a
  // write error, or once finished, every call fails.
  bool Finish(std::string &error);

 private:
  static int Write(GifFileType *gif, const std::uint8_t *data, int length);
  bool Start(int width, int height);
  bool WriteFrame(const Image &frame, int delayCentiseconds);
  bool Fail(int code);  // records a giflib error code as the failure

  std::FILE *file_ = nullptr;
  std::vector<std::uint8_t> *bytes_ = nullptr;
  GifFileType *gif_ = nullptr;
  bool discard_ = false;      // set while closing an unfinished animation
  bool writeFailed_ = false;  // the stream refused bytes
  bool pendingIsFirst_ = false;
  bool finished_ = false;
  std::string failure_;  // the write error that stopped the animation
  Image canvas_;         // what a viewer shows after the frames written so far
  Image pending_;        // the last frame added, not written until the next differs
  int pendingDelay_ = 0;
};

}  // namespace standin
