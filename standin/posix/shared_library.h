// Display modules as shared libraries, opened by the dynamic loader.
#pragma once

#include <memory>
#include <string>

#include "standin/core/module.h"

namespace standin::posix {

// Opens the shared library at `path` (a path without a slash is taken in the
// current folder, not searched for); null with the loader's reason in `error`.
std::unique_ptr<Library> OpenSharedLibrary(const std::string &path, std::string &error);

}  // namespace standin::posix
