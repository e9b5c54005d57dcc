// Display modules as Windows DLLs built for the Microsoft C++ ABI: mapped
// without the platform binding their imports or running their entry point;
// the host binds the imports itself (its own functions from the program's
// exports, the traced platform calls to the host's versions, everything else
// to the platform's DLLs), and the core runs the entry point.
#pragma once

#include <memory>
#include <string>

#include "standin/core/module.h"

namespace standin::win32 {

// Opens the DLL at `path`; null with `error` when it cannot be mapped or an
// import cannot be bound (naming it).
std::unique_ptr<Library> OpenDll(const std::string &path, std::string &error);

}  // namespace standin::win32
