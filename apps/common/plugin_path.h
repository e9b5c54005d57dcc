// Where the programs find the module by default: the plug-in built beside them
// (Velbrik.so, or Velbrik.dll for the Win32 host).
#pragma once

#include <string>

namespace apps {

// The path of `name` in the folder of the running program; `name` alone if the
// program's own path cannot be read.
std::string BesideProgram(const std::string &name);

// The plug-in's file name, also for help texts.
#if defined(_WIN32)
#define VELBRIK_PLUGIN_FILE "Velbrik.dll"
#else
#define VELBRIK_PLUGIN_FILE "Velbrik.so"
#endif

inline std::string DefaultPlugin() { return BesideProgram(VELBRIK_PLUGIN_FILE); }

}  // namespace apps
