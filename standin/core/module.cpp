#include "standin/core/module.h"

#include "standin/core/host.h"

namespace standin {

Module::Module(std::unique_ptr<Library> library) : library_(std::move(library)) {
  // From here on the module can look up its own exports through the host.
  Host::Instance().AddLibrary(*library_);
}

namespace {

std::string NotAModule(const std::string &path) {
  return path + ": not a display module (it does not export opcDLLInit)";
}

}  // namespace

bool Module::Loadable(LibraryOpener open, const std::string &path, std::string &error) {
  const auto library = open(path, error);
  if (library && !library->Export("opcDLLInit")) error = NotAModule(path);
  return library && library->Export("opcDLLInit");
}

std::unique_ptr<Module> Module::Load(LibraryOpener open, const std::string &path, std::string &error) {
  auto library = open(path, error);
  if (!library) return nullptr;
  typedef void (*Init)(HINSTANCE);
  const auto init = reinterpret_cast<Init>(library->Export("opcDLLInit"));
  if (!init) {
    error = NotAModule(path);
    return nullptr;  // closes the library without telling an entry it never saw attach
  }
  std::unique_ptr<Module> module(new Module(std::move(library)));
  // A module need not have an entry point, but when it has one it hears of the attach.
  module->entry_ = reinterpret_cast<Entry>(module->Export("DllMain"));
  if (module->entry_) module->entry_(module->Handle(), DLL_PROCESS_ATTACH, nullptr);
  init(module->Handle());
  return module;
}

Module::~Module() {
  if (entry_) entry_(Handle(), DLL_PROCESS_DETACH, nullptr);
  Host::Instance().RemoveLibrary(*library_);
}

}  // namespace standin
