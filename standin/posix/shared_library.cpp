#include "standin/posix/shared_library.h"

#include <dlfcn.h>
#include <link.h>

namespace standin::posix {
namespace {

class SharedLibrary : public Library {
 public:
  explicit SharedLibrary(void *library) : library_(library) {}
  ~SharedLibrary() override { dlclose(library_); }
  SharedLibrary(const SharedLibrary &) = delete;
  SharedLibrary &operator=(const SharedLibrary &) = delete;

  HINSTANCE Handle() const override { return reinterpret_cast<HINSTANCE>(library_); }

  void *Export(const char *name) const override {
    if (!name) return nullptr;
    dlerror();
    void *symbol = dlsym(library_, name);
    if (!symbol) return nullptr;
    // dlsym also searches the library's dependencies: keep only what lies in
    // the library itself, known by the base address of its dynamic section.
    link_map *map = nullptr;
    Dl_info inLibrary{}, inSymbol{};
    if (dlinfo(library_, RTLD_DI_LINKMAP, &map) != 0 || !map || !dladdr(map->l_ld, &inLibrary) ||
        !dladdr(symbol, &inSymbol) || inLibrary.dli_fbase != inSymbol.dli_fbase)
      return nullptr;
    return symbol;
  }

 private:
  void *library_;
};

}  // namespace

std::unique_ptr<Library> OpenSharedLibrary(const std::string &path, std::string &error) {
  // A path without a slash would be searched for on the library path; the
  // host loads the file it is given.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void *library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char *why = dlerror();
    error = why ? why : path + ": cannot be loaded";
    return nullptr;
  }
  return std::make_unique<SharedLibrary>(library);
}

}  // namespace standin::posix
