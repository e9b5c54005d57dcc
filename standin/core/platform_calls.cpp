#include "standin/core/platform_calls.h"

#include <string_view>

#include "standin/core/host.h"
#include "standin/core/surface.h"

namespace standin::calls {

BOOL WINAPI TextOutA(HDC hdc, int x, int y, const char *text, int count) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  // Exactly `count` characters are drawn, as the platform reads them.
  const std::string_view drawn = text && count > 0 ? std::string_view(text, count) : std::string_view();
  surface->TextOut(x, y, drawn, count);
  return 1;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
  Surface *surface = Surface::From(hdc);
  return surface ? surface->SetTextColour(colour) : 0xFFFFFFFF;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT *previous) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  if (previous) *previous = surface->Position();
  surface->MoveTo(x, y);
  return 1;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  surface->LineTo(x, y);
  return 1;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  surface->Ellipse(left, top, right, bottom);
  return 1;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0xFFFFFFFF;
  surface->SetPixel(x, y, colour);
  return colour;
}

BOOL WINAPI GetCursorPos(POINT *point) {
  Host::Instance().Log("GetCursorPos");
  const auto cursor = Host::Instance().Cursor();
  if (!point || !cursor) return 0;
  *point = *cursor;
  return 1;
}

FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name) {
  Host::Instance().Log("GetProcAddress", name);
  return reinterpret_cast<FARPROC>(Host::Instance().Export(module, name));
}

}  // namespace standin::calls
