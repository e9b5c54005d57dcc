#include "standin/core/object_calls.h"

namespace standin {

const ObjectCalls &NativeCalls() {
  static constexpr ObjectCalls calls = {
      [](MFD *object) { delete object; },
      [](MFD *object, HDC surface) { object->Repaint(surface); },
      [](MFD *object, unsigned long key) { return object->ConsumeKeyBuffered(key); },
      [](MFD *object, int bt, int event) { return object->ConsumeButton(bt, event); },
      [](MFD *object, int bt) -> const char * { return object->ButtonLabel(bt); },
      [](MFD *object, const MFDBUTTONMENU **menu) { return object->ButtonMenu(menu); },
  };
  return calls;
}

}  // namespace standin
