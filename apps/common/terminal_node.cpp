// Under node the program's own file descriptors all look like terminals:
// node knows what its standard error really is.
#include <emscripten/emscripten.h>

#include "apps/common/terminal.h"

namespace {

EM_JS(int, NodeStandardErrorIsTerminal, (), { return process.stderr.isTTY ? 1 : 0; });

}  // namespace

namespace apps {

bool StandardErrorIsTerminal() { return NodeStandardErrorIsTerminal() == 1; }

}  // namespace apps
