// In the Win32 host: display modules are Windows DLLs in the Microsoft C++ ABI,
// and the host survives their crashes.
#include <io.h>

#include <cstdio>

#include "apps/common/platform.h"
#include "standin/win32/crash_guard.h"
#include "standin/win32/dll_library.h"

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::win32::OpenDll; }

std::unique_ptr<standin::CallGuard> MakeCallGuard(void (*cleanup)()) {
  return std::make_unique<standin::win32::CrashGuard>(cleanup);
}

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace apps
