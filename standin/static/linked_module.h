// A display module linked into the program itself, for platforms that load no
// libraries (the browser) and for tools that want the module's code in their
// own image (a coverage-guided fuzzer). It stands behind the same `Library`
// seam as a loaded one: a handle of its own and the module's four exports.
#pragma once

#include <memory>
#include <string>

#include "standin/core/module.h"

namespace standin::linked {

// The module linked in, whatever `path` says (it names the module in errors
// only); at most one is open at a time, as a library is loaded once.
std::unique_ptr<Library> OpenLinkedModule(const std::string &path, std::string &error);

}  // namespace standin::linked
