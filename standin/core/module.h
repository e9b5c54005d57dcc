// A display module loaded as the host loads one: the platform opens the
// library, the module's entry hears of the attach with its own handle, and its
// init export is called. Destruction mirrors it: the entry hears of the detach,
// then the library closes. How a library is opened is the platform's part.
#pragma once

#include <memory>
#include <string>

#include "host/platform.h"
#include "standin/core/object_calls.h"

namespace standin {

// A library as the platform opened it: its handle and its own exports.
class Library {
 public:
  virtual ~Library() = default;
  virtual HINSTANCE Handle() const = 0;
  // The library's own export `name` (not one of the libraries it depends on), or null.
  virtual void *Export(const char *name) const = 0;
  // How the display objects its modes make are called.
  virtual const ObjectCalls &Calls() const { return NativeCalls(); }
};

// Opens the library at `path`; null with `error` when it cannot.
using LibraryOpener = std::unique_ptr<Library> (*)(const std::string &path, std::string &error);

class Module {
 public:
  // Loads the module at `path` through `open`; null with `error` on failure.
  static std::unique_ptr<Module> Load(LibraryOpener open, const std::string &path, std::string &error);
  // Whether PATH opens as a display module, asking nothing of it: a program can
  // refuse a file that is none before it writes anything.
  static bool Loadable(LibraryOpener open, const std::string &path, std::string &error);
  ~Module();
  Module(const Module &) = delete;
  Module &operator=(const Module &) = delete;

  HINSTANCE Handle() const { return library_->Handle(); }
  void *Export(const char *name) const { return library_->Export(name); }
  const ObjectCalls &Calls() const { return library_->Calls(); }

 private:
  typedef BOOL(WINAPI *Entry)(HINSTANCE, DWORD, LPVOID);
  explicit Module(std::unique_ptr<Library> library);
  std::unique_ptr<Library> library_;
  Entry entry_ = nullptr;
};

}  // namespace standin
