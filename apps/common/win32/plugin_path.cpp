#include "apps/common/plugin_path.h"

#include <windows.h>

#include <filesystem>

namespace apps {

std::string BesideProgram(const std::string &name) {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (n == 0) return name;
    if (n < self.size()) {
      self.resize(n);
      break;
    }
    self.resize(self.size() * 2);
  }
  return (std::filesystem::path(self).parent_path() / name).string();
}

}  // namespace apps
