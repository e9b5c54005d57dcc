// A display module loaded as the host loads one: the library is opened, its entry
// is told of the attach with its own handle, and its init export is called.
// Destruction mirrors it: the entry is told of the detach, then the library closes.
#pragma once

#include <memory>
#include <string>

#include "host/platform.h"

namespace standin {

class Plugin {
 public:
  // Loads the module at `path`; on failure returns null and says why in `error`.
  static std::unique_ptr<Plugin> Load(const std::string &path, std::string &error);
  ~Plugin();
  Plugin(const Plugin &) = delete;
  Plugin &operator=(const Plugin &) = delete;

  HINSTANCE Handle() const { return reinterpret_cast<HINSTANCE>(library_); }
  // The module's export `name`, or null.
  void *Symbol(const char *name) const;

 private:
  typedef BOOL(WINAPI *Entry)(HINSTANCE, DWORD, LPVOID);
  explicit Plugin(void *library) : library_(library) {}
  void *library_;
  Entry entry_ = nullptr;
};

// `name` among the exports of the opened library `library` itself, not of the
// libraries it depends on, as the platform's lookup does; null when absent.
void *OwnSymbol(void *library, const char *name);

}  // namespace standin
