#include "standin/win32/system_cursor.h"

#include <windows.h>

namespace standin::win32 {

bool PlaceCursor(int x, int y) { return SetCursorPos(x, y) != 0; }

bool ReadCursor(int &x, int &y) {
  POINT point{};
  if (!GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

}  // namespace standin::win32
