// The platform calls a module makes, answered by the host's state: drawing on
// a surface, the cursor, and export lookup in a loaded module. Each platform
// binds the module's imports of these names to them (or to its own versions).
#pragma once

#include "host/platform.h"

namespace standin::calls {

BOOL WINAPI TextOutA(HDC hdc, int x, int y, const char *text, int count);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT *previous);
BOOL WINAPI LineTo(HDC hdc, int x, int y);
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour);
BOOL WINAPI GetCursorPos(POINT *point);
FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name);

}  // namespace standin::calls
