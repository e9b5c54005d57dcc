#include "tests/support/x_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace velbrik_test {

standin::Image XWindowPixels(unsigned long window) {
  standin::Image out;
  ::Display *x = XOpenDisplay(nullptr);
  if (!x) return out;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(x, window, &attributes)) {
    if (XImage *image = XGetImage(x, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)) {
      out = standin::Image(attributes.width, attributes.height);
      for (int py = 0; py < out.height; ++py)
        for (int px = 0; px < out.width; ++px)
          out.At(px, py) = static_cast<std::uint32_t>(XGetPixel(image, px, py)) & 0xFFFFFF;
      XDestroyImage(image);
    }
  }
  XCloseDisplay(x);
  return out;
}

void XWarpPointerTo(unsigned long window, int x, int y) {
  if (::Display *display = XOpenDisplay(nullptr)) {
    XWarpPointer(display, None, window, 0, 0, 0, 0, x, y);
    XCloseDisplay(display);  // flushes the request
  }
}

}  // namespace velbrik_test
