// How the programs open a display module: as a POSIX shared library, or in the
// Win32 host as a Windows DLL in the Microsoft C++ ABI.
#pragma once

#include "standin/core/module.h"

#if defined(_WIN32)
#include "standin/win32/dll_library.h"
#else
#include "standin/posix/shared_library.h"
#endif

namespace apps {

#if defined(_WIN32)
inline constexpr standin::LibraryOpener kOpenPlugin = standin::win32::OpenDll;
#else
inline constexpr standin::LibraryOpener kOpenPlugin = standin::posix::OpenSharedLibrary;
#endif

}  // namespace apps
