// Portable-executable DLLs mapped without the platform's loader doing the rest:
// mapped and relocated, but with no import bound and no entry point run, so
// that the host decides where each import goes and when the entry hears of the
// attach. Plain types only: this header is read by code that cannot see the
// platform's own headers.
#pragma once

#include <functional>
#include <string>

namespace standin::win32 {

// Where the import `name` of `dll` goes; null when it has nowhere to go.
using ImportResolver = std::function<void *(const std::string &dll, const char *name)>;

// Maps the DLL at `path`; null with `error` when it cannot.
void *MapDll(const std::string &path, std::string &error);
void FreeDll(void *module);

// Writes every import of `module` as `resolve` says; false with `error` naming
// the first import that is by ordinal or that `resolve` cannot place.
bool BindImports(void *module, const ImportResolver &resolve, std::string &error);

// The module's entry point, or null when it has none.
void *EntryPoint(void *module);
// The module's own export `name`, by the platform's lookup; null when absent.
void *ExportOf(void *module, const char *name);
// An export of the running program itself.
void *ProgramExport(const char *name);
// The running program's file name, without its folder.
std::string ProgramFileName();
// Export `name` of the platform DLL `dll`, loaded as the platform loads it.
void *SystemExport(const std::string &dll, const char *name);

}  // namespace standin::win32
