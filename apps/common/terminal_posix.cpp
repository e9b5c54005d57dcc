#include <unistd.h>

#include "apps/common/terminal.h"

namespace apps {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace apps
