// The pixels an X server shows of a window, read back with XGetImage.
#pragma once

#include "standin/images/image.h"

namespace velbrik_test {

// Empty when there is no X display or no such window.
standin::Image XWindowPixels(unsigned long window);

}  // namespace velbrik_test
