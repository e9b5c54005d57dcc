// The platform calls a module imports, as the Win32 host binds them: drawing
// calls go to the surface behind the device context, which writes them to the
// trace and passes them on to the display's GDI target; the cursor and export
// lookup are written to the trace and then asked of the platform.
#pragma once

#include <cstdint>
#include <string>

namespace standin::win32 {

// The host's version of function `name` imported from `dll` (the DLL's name is
// matched without regard to case), or null when the host leaves it alone.
void *TracedCall(const std::string &dll, const char *name);

// How the cursor reads went: those where the platform's cursor stood where the
// host had put it, and those where it did not (a cursor off every screen is
// held at its edge) and the host's own position was given instead.
struct CursorReads {
  std::int64_t platform = 0;
  std::int64_t host = 0;
};
CursorReads CursorReadsSoFar();

// True when `a` and `b` are the same file name, as the platform compares them.
bool SameFileName(const std::string &a, const std::string &b);

}  // namespace standin::win32
