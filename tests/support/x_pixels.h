// The pixels an X server shows of a window, read back with XGetImage, and
// the pointer warped as another program would warp it.
#pragma once

#include "standin/images/image.h"

namespace velbrik_test {

// Empty when there is no X display or no such window.
standin::Image XWindowPixels(unsigned long window);
// Puts the pointer at (x, y) of `window` with XWarpPointer.
void XWarpPointerTo(unsigned long window, int x, int y);

}  // namespace velbrik_test
