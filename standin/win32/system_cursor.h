// The platform's own mouse cursor. Plain types only: read by code that cannot
// see the platform's headers.
#pragma once

namespace standin::win32 {

// Moves the cursor to (x, y) on the screen; false when the platform refuses.
bool PlaceCursor(int x, int y);
// Where the cursor is; false when the platform cannot tell.
bool ReadCursor(int &x, int &y);

}  // namespace standin::win32
