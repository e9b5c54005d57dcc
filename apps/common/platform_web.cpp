// In the browser and under node: no library loader, so the module is linked
// into the program, whatever path a program names it by; no way back from a
// fault in a call (WebAssembly traps end the program); and node, not the
// program's own file descriptors, which all look like terminals, knows what
// standard error is.
#include <emscripten/emscripten.h>

#include "apps/common/platform.h"
#include "standin/static/linked_module.h"

namespace {

// JavaScript inside, which the formatter does not know.
// clang-format off
EM_JS(int, NodeStandardErrorIsTerminal, (), { return typeof process === 'object' && process.stderr.isTTY ? 1 : 0; });
// clang-format on

}  // namespace

namespace apps {

standin::LibraryOpener ModuleOpener() { return standin::linked::OpenLinkedModule; }

std::unique_ptr<standin::CallGuard> MakeCallGuard(void (*)()) { return nullptr; }

bool StandardErrorIsTerminal() { return NodeStandardErrorIsTerminal() == 1; }

}  // namespace apps
