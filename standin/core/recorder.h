// A draw target that writes every call made on a surface to the call trace.
#pragma once

#include "standin/core/surface.h"
#include "standin/core/trace.h"

namespace standin {

class Recorder : public DrawTarget {
 public:
  explicit Recorder(TraceSink &trace) : trace_(trace) {}

  void SelectPen(unsigned long index) override;
  void SetTextColour(COLORREF colour) override;
  void TextOut(int x, int y, std::string_view text, int count) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int x, int y, COLORREF colour) override;

 private:
  TraceSink &trace_;
};

}  // namespace standin
