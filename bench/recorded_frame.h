// The drawing calls of one frame, kept as they were made on a surface and
// played again onto any draw target: the pixel work of a frame without the
// game or the host's call path.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "standin/core/surface.h"

namespace bench {

class RecordedFrame : public standin::DrawTarget {
 public:
  // Makes the calls again on `target`, between its BeginFrame and EndFrame.
  void Replay(standin::DrawTarget &target) const;
  std::size_t Calls() const { return calls_.size(); }

  void SelectPen(unsigned long index) override { Add(Op::Pen, {static_cast<int>(index)}); }
  void SetTextColour(COLORREF colour) override { Add(Op::Colour, {static_cast<int>(colour)}); }
  void TextOut(int x, int y, std::string_view text, int count) override { Add(Op::Text, {x, y, count}, text); }
  void MoveTo(int x, int y) override { Add(Op::Move, {x, y}); }
  void LineTo(int x, int y) override { Add(Op::Line, {x, y}); }
  void Ellipse(int left, int top, int right, int bottom) override { Add(Op::Ellipse, {left, top, right, bottom}); }
  void SetPixel(int x, int y, COLORREF colour) override { Add(Op::Pixel, {x, y, static_cast<int>(colour)}); }

 private:
  enum class Op { Pen, Colour, Text, Move, Line, Ellipse, Pixel };
  struct Call {
    Op op;
    std::array<int, 4> v;
    std::string text;
  };
  void Add(Op op, std::array<int, 4> v, std::string_view text = {}) { calls_.push_back({op, v, std::string(text)}); }
  std::vector<Call> calls_;
};

}  // namespace bench
