// The platform calls under the names the module imports them by, for a
// platform whose loader binds a module's imports by name to the program's
// own symbols.
#include "host/platform.h"
#include "standin/core/platform_calls.h"

namespace calls = standin::calls;

extern "C" {

BOOL WINAPI TextOutA(HDC hdc, int x, int y, const char *text, int count) {
  return calls::TextOutA(hdc, x, y, text, count);
}
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) { return calls::SetTextColor(hdc, colour); }
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT *previous) { return calls::MoveToEx(hdc, x, y, previous); }
BOOL WINAPI LineTo(HDC hdc, int x, int y) { return calls::LineTo(hdc, x, y); }
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return calls::Ellipse(hdc, left, top, right, bottom);
}
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour) { return calls::SetPixel(hdc, x, y, colour); }
BOOL WINAPI GetCursorPos(POINT *point) { return calls::GetCursorPos(point); }
FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name) { return calls::GetProcAddress(module, name); }

}  // extern "C"
