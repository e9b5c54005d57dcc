// In the Win32 host: display modules are Windows DLLs in the Microsoft C++ ABI,
// and calls into them go straight through (a crash in one ends the program, as
// the platform ends it).
#include <io.h>

#include <cstdio>

#include "apps/common/platform.h"
#include "standin/win32/dll_library.h"

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::win32::OpenDll; }

std::unique_ptr<standin::CallGuard> MakeCallGuard(void (*)()) { return nullptr; }

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace apps
