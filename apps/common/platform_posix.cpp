#include <unistd.h>

#include "apps/common/platform.h"
#include "standin/posix/crash_guard.h"
#include "standin/posix/shared_library.h"

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::posix::OpenSharedLibrary; }

std::unique_ptr<standin::CallGuard> MakeCallGuard(void (*cleanup)()) {
  return std::make_unique<standin::posix::CrashGuard>(cleanup);
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace apps
