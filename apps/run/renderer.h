// What draws a display's repaints into pictures: the pixel surface, with its
// own rules and FreeType text, on Linux; the platform's GDI in the Win32 host.
#pragma once

#include <memory>
#include <string>

#include "standin/core/surface.h"
#include "standin/images/image.h"

namespace apps {

// One display's pictures.
class DisplayPicture {
 public:
  virtual ~DisplayPicture() = default;
  // The picture as the last repaint left it.
  virtual const standin::Image &Frame() = 0;
};

class Renderer {
 public:
  // Null with `error` when there is nothing to draw text with.
  static std::unique_ptr<Renderer> Create(std::string &error);
  virtual ~Renderer() = default;
  // Draws the calls made on `surface` from now on (attached to it, which the
  // picture must outlive); null with `error` for a display it cannot serve.
  virtual std::unique_ptr<DisplayPicture> Open(int width, int height, standin::Surface &surface,
                                               std::string &error) = 0;
};

}  // namespace apps
