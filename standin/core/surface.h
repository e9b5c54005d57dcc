// A display's drawing surface, what an HDC stands for in the stand-in host. The
// surface passes every call made on it to each of its targets in turn, so a
// recorder and a pixel renderer can watch the same calls in one pass.
#pragma once

#include <string_view>
#include <vector>

#include "host/platform.h"

namespace standin {

// One thing that receives the calls made on a surface, as the module made them.
class DrawTarget {
 public:
  virtual ~DrawTarget() = default;
  virtual void BeginFrame() {}  // the host is about to repaint the display
  virtual void EndFrame() {}    // the repaint is over
  virtual void SelectPen(unsigned long index) = 0;
  virtual void SetTextColour(COLORREF colour) = 0;
  virtual void TextOut(int x, int y, std::string_view text, int count) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void SetPixel(int x, int y, COLORREF colour) = 0;
};

class Surface {
 public:
  Surface();
  ~Surface();
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;

  // The handle the module draws through: the surface's own address, or the
  // platform's device context where a platform draws (SetHandle). The surface
  // stays registered with the host, and so valid to draw on, as long as it lives.
  HDC Handle() const { return handle_; }
  void SetHandle(HDC handle) { handle_ = handle; }
  // The live surface behind `hdc`, or null for a handle that is none.
  static Surface *From(HDC hdc);

  // Targets are not owned and must outlive their use here.
  void Attach(DrawTarget &target) { targets_.push_back(&target); }

  void BeginFrame();
  void EndFrame();
  void SelectPen(unsigned long index);
  COLORREF SetTextColour(COLORREF colour);  // returns the previous colour
  void TextOut(int x, int y, std::string_view text, int count);
  POINT MoveTo(int x, int y);  // returns the previous position
  void LineTo(int x, int y);
  void Ellipse(int left, int top, int right, int bottom);
  void SetPixel(int x, int y, COLORREF colour);

 private:
  HDC handle_ = reinterpret_cast<HDC>(this);
  std::vector<DrawTarget *> targets_;
  COLORREF textColour_ = 0;
  POINT position_{0, 0};
};

}  // namespace standin
