// The module's entry compiled here rather than on its own, so that its
// file-local state (the cached version and the exit hook) can be reached
// without changing the module: this file is the entry's translation unit.
#include "tests/fuzz/module_state.h"

#include "module/entry.cpp"

void ResetModuleState() {
  modeId = 0;
  cachedVersion = 0;
  exitHook = nullptr;
  lastCursorX = 0;
  printLine = -1;
}
