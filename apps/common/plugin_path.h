// Where the programs find the module by default: the Velbrik.so built beside them.
#pragma once

#include <string>

namespace apps {

// The path of `name` in the folder of the running program; `name` alone if the
// program's own path cannot be read.
std::string BesideProgram(const std::string &name);

inline std::string DefaultPlugin() { return BesideProgram("Velbrik.so"); }

}  // namespace apps
