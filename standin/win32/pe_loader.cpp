#include "standin/win32/pe_loader.h"

#include <windows.h>

namespace standin::win32 {
namespace {

BYTE *Base(void *module) { return static_cast<BYTE *>(module); }

const IMAGE_NT_HEADERS *Headers(void *module) {
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(module);
  return reinterpret_cast<const IMAGE_NT_HEADERS *>(Base(module) + dos->e_lfanew);
}

std::string Narrow(const std::wstring &wide) {
  if (wide.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

std::wstring Widen(const std::string &text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string LastError() {
  const DWORD code = GetLastError();
  wchar_t *message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<wchar_t *>(&message), 0, nullptr);
  std::string text = message ? Narrow(message) : std::string();
  if (message) LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text.empty() ? "error " + std::to_string(code) : text;
}

// Writes one address table slot, whatever protection its section has.
bool WriteSlot(ULONG_PTR *slot, void *address) {
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return false;
  *slot = reinterpret_cast<ULONG_PTR>(address);
  DWORD ignored = 0;
  VirtualProtect(slot, sizeof *slot, old, &ignored);
  return true;
}

}  // namespace

void *MapDll(const std::string &path, std::string &error) {
  HMODULE module = LoadLibraryExW(Widen(path).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (!module) {
    error = path + ": cannot be loaded: " + LastError();
    return nullptr;
  }
  if (Headers(module)->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC) {
    FreeLibrary(module);
    error = path + ": not a DLL for this processor";
    return nullptr;
  }
  return module;
}

void FreeDll(void *module) { FreeLibrary(static_cast<HMODULE>(module)); }

bool BindImports(void *module, const ImportResolver &resolve, std::string &error) {
  const IMAGE_DATA_DIRECTORY &directory = Headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return true;
  const auto *descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(Base(module) + directory.VirtualAddress);
  for (; descriptor->Name != 0; ++descriptor) {
    const std::string dll = reinterpret_cast<const char *>(Base(module) + descriptor->Name);
    // The names come from the lookup table; the address table beside it is overwritten.
    const DWORD names = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
    const auto *lookup = reinterpret_cast<const IMAGE_THUNK_DATA *>(Base(module) + names);
    auto *slots = reinterpret_cast<ULONG_PTR *>(Base(module) + descriptor->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) {
        error = "an import from " + dll + " by ordinal " + std::to_string(IMAGE_ORDINAL(lookup->u1.Ordinal));
        return false;
      }
      const auto *byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(Base(module) + lookup->u1.AddressOfData);
      const char *name = reinterpret_cast<const char *>(byName->Name);
      void *address = resolve(dll, name);
      if (!address) {
        error = "the import " + std::string(name) + " from " + dll + " is found nowhere";
        return false;
      }
      if (!WriteSlot(slots, address)) {
        error = "the import " + std::string(name) + " from " + dll + " cannot be written: " + LastError();
        return false;
      }
    }
  }
  return true;
}

void *EntryPoint(void *module) {
  const DWORD entry = Headers(module)->OptionalHeader.AddressOfEntryPoint;
  return entry ? Base(module) + entry : nullptr;
}

void *ExportOf(void *module, const char *name) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void *ProgramExport(const char *name) { return ExportOf(GetModuleHandleW(nullptr), name); }

std::string ProgramFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return Narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

void *SystemExport(const std::string &dll, const char *name) {
  // Loaded once and kept, as the platform keeps a DLL's dependencies.
  HMODULE library = GetModuleHandleA(dll.c_str());
  if (!library) library = LoadLibraryA(dll.c_str());
  return library ? ExportOf(library, name) : nullptr;
}

}  // namespace standin::win32
