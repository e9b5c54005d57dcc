// How the programs open a display module and guard the calls into it: as a
// POSIX shared library, whose crashes the program survives, or in the Win32
// host as a Windows DLL in the Microsoft C++ ABI, called straight.
#pragma once

#include "standin/core/module.h"

#if defined(_WIN32)
#include "standin/win32/dll_library.h"
#include "standin/win32/plain_guard.h"
#else
#include "standin/posix/crash_guard.h"
#include "standin/posix/shared_library.h"
#endif

namespace apps {

#if defined(_WIN32)
inline constexpr standin::LibraryOpener kOpenPlugin = standin::win32::OpenDll;
using PluginGuard = standin::win32::PlainGuard;
#else
inline constexpr standin::LibraryOpener kOpenPlugin = standin::posix::OpenSharedLibrary;
using PluginGuard = standin::posix::CrashGuard;
#endif

}  // namespace apps
