#include "bench/recorded_frame.h"

namespace bench {

void RecordedFrame::Replay(standin::DrawTarget &target) const {
  target.BeginFrame();
  for (const Call &c : calls_) {
    switch (c.op) {
      case Op::Pen: target.SelectPen(static_cast<unsigned long>(c.v[0])); break;
      case Op::Colour: target.SetTextColour(static_cast<COLORREF>(c.v[0])); break;
      case Op::Text: target.TextOut(c.v[0], c.v[1], c.text, c.v[2]); break;
      case Op::Move: target.MoveTo(c.v[0], c.v[1]); break;
      case Op::Line: target.LineTo(c.v[0], c.v[1]); break;
      case Op::Ellipse: target.Ellipse(c.v[0], c.v[1], c.v[2], c.v[3]); break;
      case Op::Pixel: target.SetPixel(c.v[0], c.v[1], static_cast<COLORREF>(c.v[2])); break;
    }
  }
  target.EndFrame();
}

}  // namespace bench
