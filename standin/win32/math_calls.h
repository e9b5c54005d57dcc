// The C runtime's elementary functions the module imports, as this host gives
// them. The platform's own differ from the Linux C library's in the last bit
// now and then (Wine's acos in about one call in thirteen), and a ball's
// course follows every bit; evaluated in extended precision and rounded once,
// they agree with it in all but about one call in a thousand. On the real host
// the platform's runtime decides these last bits.
#pragma once

#include <string>

namespace standin::win32 {

// The host's version of DLL's export NAME, or null where the platform's is used.
void *MathCall(const std::string &dll, const char *name);

}  // namespace standin::win32
