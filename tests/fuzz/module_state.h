// The module's module-wide state, put back as a fresh load of the library finds
// it. A loaded library starts from its initial data each time; the module linked
// into the game fuzzer is never unloaded, and without this an input's run would
// depend on the inputs run before it.
#pragma once

void ResetModuleState();
