// The game's drawing calls onto its surface. Until a repaint has handed the
// display a surface there is nothing to draw on, and the calls are skipped.
#include "game/BrickMFD.h"

void BrickMFD::PutText(int x, int y, const char *text, int count) {
  if (surface) TextOutA(surface, x, y, text, count);
}

void BrickMFD::PutTextColour(COLORREF colour) {
  if (surface) SetTextColor(surface, colour);
}

void BrickMFD::PutPen(unsigned long index) {
  if (surface) SelectDefaultPen(surface, index);
}

void BrickMFD::PutLine(int x0, int y0, int x1, int y1) {
  if (!surface) return;
  MoveToEx(surface, x0, y0, nullptr);
  LineTo(surface, x1, y1);
}

void BrickMFD::PutEllipse(int left, int top, int right, int bottom) {
  if (surface) Ellipse(surface, left, top, right, bottom);
}

void BrickMFD::PutPixel(int x, int y, COLORREF colour) {
  if (surface) SetPixel(surface, x, y, colour);
}
