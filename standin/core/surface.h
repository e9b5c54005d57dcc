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
  // stays registered with the host under its handle, and so valid to draw on,
  // as long as it lives.
  HDC Handle() const { return handle_; }
  void SetHandle(HDC handle);
  // The live surface behind `hdc`, or null for a handle that is none; found
  // in constant time, the handle drawn on last at once.
  static Surface *From(HDC hdc) { return hdc == last_.handle ? last_.surface : Find(hdc); }

  // Targets are not owned and must outlive their use here.
  void Attach(DrawTarget &target) { targets_.push_back(&target); }

  // Each call goes to every target in turn.
  void BeginFrame() { Send<&DrawTarget::BeginFrame>(); }
  void EndFrame() { Send<&DrawTarget::EndFrame>(); }
  void SelectPen(unsigned long index) { Send<&DrawTarget::SelectPen>(index); }
  // Returns the previous colour.
  COLORREF SetTextColour(COLORREF colour) {
    const COLORREF previous = textColour_;
    textColour_ = colour;
    Send<&DrawTarget::SetTextColour>(colour);
    return previous;
  }
  void TextOut(int x, int y, std::string_view text, int count) { Send<&DrawTarget::TextOut>(x, y, text, count); }
  POINT Position() const { return position_; }
  void MoveTo(int x, int y) {
    position_ = {x, y};
    Send<&DrawTarget::MoveTo>(x, y);
  }
  void LineTo(int x, int y) {
    position_ = {x, y};
    Send<&DrawTarget::LineTo>(x, y);
  }
  void Ellipse(int left, int top, int right, int bottom) { Send<&DrawTarget::Ellipse>(left, top, right, bottom); }
  void SetPixel(int x, int y, COLORREF colour) { Send<&DrawTarget::SetPixel>(x, y, colour); }

 private:
  // Makes the call on every target: a surface with no targets returns at
  // once and one with a single target calls it straight; the loop over more
  // is kept out of line.
  template <auto Call, typename... Args>
  void Send(Args... args) {
    if (targets_.empty()) return;
    if (targets_.size() == 1)
      (targets_.front()->*Call)(args...);
    else
      SendToAll<Call>(args...);
  }
  template <auto Call, typename... Args>
  [[gnu::noinline]] void SendToAll(Args... args) {
    for (DrawTarget *t : targets_) (t->*Call)(args...);
  }

  // The surfaces registered under `hdc`, or null; remembered as the last found.
  [[gnu::cold]] static Surface *Find(HDC hdc);
  void Unregister();
  // The handle found last, and its surface; both null when there is none.
  struct Found {
    HDC handle;
    Surface *surface;
  };
  static inline Found last_{nullptr, nullptr};

  HDC handle_ = reinterpret_cast<HDC>(this);
  std::vector<DrawTarget *> targets_;
  COLORREF textColour_ = 0;
  POINT position_{0, 0};
};

}  // namespace standin
