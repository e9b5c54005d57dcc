#include "standin/core/recorder.h"

#include "standin/core/json.h"

namespace standin {

void Recorder::SelectPen(unsigned long index) { trace_.Write(Json("SelectDefaultPen", index)); }

void Recorder::SetTextColour(COLORREF colour) { trace_.Write(Json("SetTextColor", colour)); }

void Recorder::TextOut(int x, int y, std::string_view text, int count) {
  trace_.Write(Json("TextOutA", x, y, text, count));
}

void Recorder::MoveTo(int x, int y) { trace_.Write(Json("MoveToEx", x, y)); }

void Recorder::LineTo(int x, int y) { trace_.Write(Json("LineTo", x, y)); }

void Recorder::Ellipse(int left, int top, int right, int bottom) {
  trace_.Write(Json("Ellipse", left, top, right, bottom));
}

void Recorder::SetPixel(int x, int y, COLORREF colour) { trace_.Write(Json("SetPixel", x, y, colour)); }

}  // namespace standin
