#include "standin/static/linked_module.h"

#include <cstring>

#include "module/entry.h"

namespace standin::linked {
namespace {

bool open = false;
char handleTarget;  // its address is the module's handle

class LinkedModule : public Library {
 public:
  LinkedModule() { open = true; }
  ~LinkedModule() override { open = false; }
  LinkedModule(const LinkedModule &) = delete;
  LinkedModule &operator=(const LinkedModule &) = delete;

  HINSTANCE Handle() const override { return reinterpret_cast<HINSTANCE>(&handleTarget); }

  void *Export(const char *name) const override {
    if (!name) return nullptr;
    // Through the generic function type, which any function pointer may take.
    const auto as = [](auto function) { return reinterpret_cast<void *>(reinterpret_cast<void (*)()>(function)); };
    if (std::strcmp(name, "DllMain") == 0) return as(&DllMain);
    if (std::strcmp(name, "opcDLLInit") == 0) return as(&opcDLLInit);
    if (std::strcmp(name, "opcDLLExit") == 0) return as(&opcDLLExit);
    if (std::strcmp(name, "GetModuleVersion") == 0) return as(&GetModuleVersion);
    return nullptr;
  }
};

}  // namespace

std::unique_ptr<Library> OpenLinkedModule(const std::string &path, std::string &error) {
  if (open) {
    error = path + ": the linked module is already loaded";
    return nullptr;
  }
  return std::make_unique<LinkedModule>();
}

}  // namespace standin::linked
