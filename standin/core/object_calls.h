// How the host calls a display object that a mode's handler made: through its
// virtual table, in the C++ ABI the module was built with. A module built by
// this compiler is called natively; a platform whose modules follow another
// ABI supplies its own table of calls.
#pragma once

#include "host/MFD.h"

namespace standin {

struct ObjectCalls {
  void (*destroy)(MFD *object);  // through the virtual destructor
  void (*repaint)(MFD *object, HDC surface);
  bool (*consumeKeyBuffered)(MFD *object, unsigned long key);
  bool (*consumeButton)(MFD *object, int bt, int event);
  const char *(*buttonLabel)(MFD *object, int bt);
  int (*buttonMenu)(MFD *object, const MFDBUTTONMENU **menu);
};

// Plain virtual calls, for modules built with this compiler.
const ObjectCalls &NativeCalls();

}  // namespace standin
