// What the programs take from the platform they run on: how a display module
// is opened, what guards the calls into it, and whether standard error is a
// terminal. POSIX systems (platform_posix.cpp) load the module as a shared
// library and survive its crashes; the browser and node (platform_web.cpp)
// have the module linked in; the Win32 host (platform_win32.cpp) loads it as a
// Windows DLL and survives its crashes too.
#pragma once

#include <memory>

#include "standin/core/call_guard.h"
#include "standin/core/module.h"

namespace apps {

standin::LibraryOpener ModuleOpener();

// The guard for calls into the module, with `cleanup` run before a crash
// outside a call ends the program; null where calls cannot be guarded.
std::unique_ptr<standin::CallGuard> MakeCallGuard(void (*cleanup)());

// Whether a progress bar can be drawn on standard error.
bool StandardErrorIsTerminal();

}  // namespace apps
