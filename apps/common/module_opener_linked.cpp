// In the browser and under node there is no library loader: the module is
// linked into the program, whatever path a program names it by.
#include "apps/common/module_opener.h"
#include "standin/static/linked_module.h"

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::linked::OpenLinkedModule; }

}  // namespace apps
