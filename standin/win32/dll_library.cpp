#include "standin/win32/dll_library.h"

#include <cstring>

#include "standin/win32/math_calls.h"
#include "standin/win32/msvc_calls.h"
#include "standin/win32/pe_loader.h"
#include "standin/win32/traced_calls.h"

namespace standin::win32 {
namespace {

class DllLibrary : public Library {
 public:
  explicit DllLibrary(void *module) : module_(module) {}
  ~DllLibrary() override { FreeDll(module_); }
  DllLibrary(const DllLibrary &) = delete;
  DllLibrary &operator=(const DllLibrary &) = delete;

  HINSTANCE Handle() const override { return static_cast<HINSTANCE>(module_); }

  // The entry point is no export here; the core asks for it by its name.
  void *Export(const char *name) const override {
    if (!name) return nullptr;
    if (std::strcmp(name, "DllMain") == 0) return EntryPoint(module_);
    return ExportOf(module_, name);
  }

  const ObjectCalls &Calls() const override { return MsvcCalls(); }

 private:
  void *module_;
};

}  // namespace

std::unique_ptr<Library> OpenDll(const std::string &path, std::string &error) {
  void *module = MapDll(path, error);
  if (!module) return nullptr;
  auto library = std::make_unique<DllLibrary>(module);
  const std::string program = ProgramFileName();
  const auto resolve = [&program](const std::string &dll, const char *name) -> void * {
    if (SameFileName(dll, program)) return ProgramExport(name);
    if (void *traced = TracedCall(dll, name)) return traced;
    if (void *math = MathCall(dll, name)) return math;
    return SystemExport(dll, name);
  };
  if (!BindImports(module, resolve, error)) {
    error = path + ": " + error;
    return nullptr;
  }
  return library;
}

}  // namespace standin::win32
