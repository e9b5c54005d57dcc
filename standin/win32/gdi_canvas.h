// A display's picture drawn by the platform's graphics device interface: a
// memory device context over a 32-bit top-down DIB section of the display's
// size, with the host's default pens as one-pixel solid pens, a hollow brush,
// a transparent text background and the stand-in's monospace font. Plain
// types only: read by code that cannot see the platform's headers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace standin::win32 {

class GdiCanvas {
 public:
  // Pen colours are pixels 0x00RRGGBB by pen index; an index beyond them takes
  // pen 0. The font is loaded from `fontFile` (once for all canvases) and sized
  // so that 20 lines and 40 columns fit. Null with `error` for a negative or
  // too large size, or when the platform refuses.
  static std::unique_ptr<GdiCanvas> Create(int width, int height, const std::vector<std::uint32_t> &pens,
                                           const std::string &fontFile, std::string &error);
  ~GdiCanvas();
  GdiCanvas(const GdiCanvas &) = delete;
  GdiCanvas &operator=(const GdiCanvas &) = delete;

  // The device context, for the module to draw on.
  void *Context() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Every pixel black.
  void Clear();
  void SelectPen(unsigned long index);
  // The picture as pixels 0x00RRGGBB, rows top to bottom.
  void ReadPixels(std::vector<std::uint32_t> &pixels) const;

  // The drawing calls, made on the device context as the module makes them.
  void SetTextColour(std::uint32_t colorref);
  void PutText(int x, int y, const char *text, int count);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Ellipse(int left, int top, int right, int bottom);
  void SetPixel(int x, int y, std::uint32_t colorref);

 private:
  GdiCanvas() = default;

  void *dc_ = nullptr;
  void *bitmap_ = nullptr;
  void *oldBitmap_ = nullptr;
  void *font_ = nullptr;
  void *oldFont_ = nullptr;
  void *oldPen_ = nullptr;
  std::uint32_t *bits_ = nullptr;
  std::vector<void *> pens_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace standin::win32
