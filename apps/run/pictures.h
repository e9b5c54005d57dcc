// The runner's pictures: a renderer beside the recorder on every display, and
// its frames written out as PNG files and an animated GIF.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/common/output_file.h"
#include "apps/run/renderer.h"
#include "standin/core/session.h"
#include "standin/images/gif_writer.h"

namespace apps {

struct PictureOptions {
  std::string pngDir;   // a PNG per kept repaint, when set
  std::string gifPath;  // an animated GIF of the first display, when set
  int every = 1;        // keep every Nth repaint of a display
  int fps = 25;         // the GIF's frame rate
  int zoom = 1;         // whole-number scaling
};

class Pictures {
 public:
  // Null with `error` when the outputs cannot be opened or the renderer cannot start.
  static std::unique_ptr<Pictures> Create(const PictureOptions &options, std::string &error);
  ~Pictures();  // output not committed is removed
  Pictures(const Pictures &) = delete;
  Pictures &operator=(const Pictures &) = delete;

  // Hooks everything onto `session`.
  void Attach(standin::Session &session);
  // Finishes the GIF and moves every file into place.
  bool Commit(std::string &error);

  std::int64_t FilesWritten() const { return static_cast<std::int64_t>(pngs_.size()) + (gif_ ? 1 : 0); }

 private:
  explicit Pictures(PictureOptions options) : options_(std::move(options)) {}
  std::string Opened(int display, int width, int height, standin::Surface &surface);
  std::string Repainted(int display);

  struct Display {
    std::unique_ptr<DisplayPicture> picture;
    std::int64_t repaints = 0;
  };

  PictureOptions options_;
  std::unique_ptr<Renderer> renderer_;
  std::vector<Display> displays_;
  std::string stagingDir_;  // PNGs wait here until committed
  bool madeDir_ = false;    // the PNG folder is ours to remove again
  bool committed_ = false;
  std::vector<std::string> pngs_;  // their names
  std::unique_ptr<OutputFile> gifFile_;
  std::unique_ptr<standin::GifWriter> gif_;
  int gifDisplay_ = -1;
};

}  // namespace apps
