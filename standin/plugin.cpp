#include "standin/plugin.h"

#include <dlfcn.h>
#include <link.h>

namespace standin {

std::unique_ptr<Plugin> Plugin::Load(const std::string &path, std::string &error) {
  // A path without a slash would be searched for on the library path; the
  // host loads the file it is given.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void *library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char *why = dlerror();
    error = why ? why : path + ": cannot be loaded";
    return nullptr;
  }
  std::unique_ptr<Plugin> plugin(new Plugin(library));
  typedef void (*Init)(HINSTANCE);
  const auto init = reinterpret_cast<Init>(plugin->Symbol("opcDLLInit"));
  if (!init) {
    error = path + ": not a display module (it does not export opcDLLInit)";
    return nullptr;  // closes the library without telling an entry it never saw attach
  }
  // A module need not have an entry point, but when it has one it hears of the attach.
  plugin->entry_ = reinterpret_cast<Entry>(plugin->Symbol("DllMain"));
  if (plugin->entry_) plugin->entry_(plugin->Handle(), DLL_PROCESS_ATTACH, nullptr);
  init(plugin->Handle());
  return plugin;
}

Plugin::~Plugin() {
  if (entry_) entry_(Handle(), DLL_PROCESS_DETACH, nullptr);
  dlclose(library_);
}

void *Plugin::Symbol(const char *name) const { return OwnSymbol(library_, name); }

void *OwnSymbol(void *library, const char *name) {
  if (!library || !name) return nullptr;
  dlerror();
  void *symbol = dlsym(library, name);
  if (!symbol) return nullptr;
  // dlsym also searches the library's dependencies: keep only what lies in the
  // library itself, known by the base address of its dynamic section.
  link_map *map = nullptr;
  Dl_info inLibrary{}, inSymbol{};
  if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map || !dladdr(map->l_ld, &inLibrary) ||
      !dladdr(symbol, &inSymbol) || inLibrary.dli_fbase != inSymbol.dli_fbase)
    return nullptr;
  return symbol;
}

}  // namespace standin
