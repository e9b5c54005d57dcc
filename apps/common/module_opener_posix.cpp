#include "apps/common/module_opener.h"
#include "standin/posix/shared_library.h"

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::posix::OpenSharedLibrary; }

}  // namespace apps
