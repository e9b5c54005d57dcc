// The draw target that passes a display's calls to the platform's GDI: it
// makes the display's device context the surface's handle, so the module draws
// on it, and keeps each repaint's picture.
#pragma once

#include <memory>
#include <string>

#include "standin/core/surface.h"
#include "standin/images/image.h"
#include "standin/win32/gdi_canvas.h"

namespace standin::win32 {

class GdiTarget : public DrawTarget {
 public:
  // A target on `surface` (attached to it, its handle set to the device
  // context) for a `width` × `height` display; null with `error` when the
  // platform cannot draw it.
  static std::unique_ptr<GdiTarget> Attach(Surface &surface, int width, int height, const std::string &fontFile,
                                           std::string &error);

  // The picture as the last repaint left it.
  const Image &Frame();

  void BeginFrame() override { canvas_->Clear(); }  // black before each repaint
  void SelectPen(unsigned long index) override { canvas_->SelectPen(index); }
  void SetTextColour(COLORREF colour) override { canvas_->SetTextColour(colour); }
  void TextOut(int x, int y, std::string_view text, int count) override;
  void MoveTo(int x, int y) override { canvas_->MoveTo(x, y); }
  void LineTo(int x, int y) override { canvas_->LineTo(x, y); }
  void Ellipse(int left, int top, int right, int bottom) override { canvas_->Ellipse(left, top, right, bottom); }
  void SetPixel(int x, int y, COLORREF colour) override { canvas_->SetPixel(x, y, colour); }

 private:
  explicit GdiTarget(std::unique_ptr<GdiCanvas> canvas) : canvas_(std::move(canvas)) {}
  std::unique_ptr<GdiCanvas> canvas_;
  Image frame_;
};

}  // namespace standin::win32
