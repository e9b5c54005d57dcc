// The platform calls a module makes, answered by the host's state: drawing on
// a surface, the cursor, and export lookup in a loaded module. Each platform
// binds the module's imports of these names to them (or to its own versions).
#pragma once

#include <string_view>

#include "host/platform.h"
#include "standin/core/surface.h"

namespace standin::calls {

// The drawing calls, inline where they are bound by name: the surface drawn
// on last is found without a call.
inline BOOL WINAPI TextOutA(HDC hdc, int x, int y, const char *text, int count) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  // Exactly `count` characters are drawn, as the platform reads them.
  const std::string_view drawn = text && count > 0 ? std::string_view(text, count) : std::string_view();
  surface->TextOut(x, y, drawn, count);
  return 1;
}

inline COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
  Surface *surface = Surface::From(hdc);
  return surface ? surface->SetTextColour(colour) : 0xFFFFFFFF;
}

inline BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT *previous) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  if (previous) *previous = surface->Position();
  surface->MoveTo(x, y);
  return 1;
}

inline BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  surface->LineTo(x, y);
  return 1;
}

inline BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0;
  surface->Ellipse(left, top, right, bottom);
  return 1;
}

inline COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return 0xFFFFFFFF;
  surface->SetPixel(x, y, colour);
  return colour;
}

BOOL WINAPI GetCursorPos(POINT *point);
FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name);

}  // namespace standin::calls
