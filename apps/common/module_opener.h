// How the programs open a display module: the platform's library loader where
// there is one (module_opener_posix.cpp), the module linked into the program
// where there is none (module_opener_linked.cpp).
#pragma once

#include "standin/core/module.h"

namespace apps {

standin::LibraryOpener ModuleOpener();

}  // namespace apps
