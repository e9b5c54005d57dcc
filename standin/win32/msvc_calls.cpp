#include "standin/win32/msvc_calls.h"

namespace standin::win32 {
namespace {

// Slots of the display base class's virtual table, in declaration order.
enum Slot {
  kDeletingDestructor,
  kRepaint,
  kConsumeKeyBuffered,
  kConsumeKeyImmediate,
  kConsumeButton,
  kButtonLabel,
  kButtonMenu,
};

// Member functions take the object first, then their arguments, in the
// platform's one x64 calling convention; a bool comes back in the low byte.
template <typename Result, typename... Arguments>
Result Call(MFD *object, Slot slot, Arguments... arguments) {
  using Member = Result (*)(MFD *, Arguments...);
  const auto table = *reinterpret_cast<Member *const *>(object);
  return table[slot](object, arguments...);
}

constexpr unsigned kDeleteObject = 1;  // the deleting destructor also frees the object

}  // namespace

const ObjectCalls &MsvcCalls() {
  static constexpr ObjectCalls calls = {
      [](MFD *object) { Call<void *>(object, kDeletingDestructor, kDeleteObject); },
      [](MFD *object, HDC surface) { Call<void>(object, kRepaint, surface); },
      [](MFD *object, unsigned long key) { return Call<bool>(object, kConsumeKeyBuffered, key); },
      [](MFD *object, int bt, int event) { return Call<bool>(object, kConsumeButton, bt, event); },
      [](MFD *object, int bt) -> const char * { return Call<char *>(object, kButtonLabel, bt); },
      [](MFD *object, const MFDBUTTONMENU **menu) { return Call<int>(object, kButtonMenu, menu); },
  };
  return calls;
}

}  // namespace standin::win32
