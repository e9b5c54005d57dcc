// The host's functions and its display base class in the Microsoft C++ ABI on
// x64, for modules built with that compiler: plain functions that take the
// object first where a member would, exported from the program under the
// Microsoft names by host-exports.def, forwarding to the host core.
#include <cstdio>
#include <cstdlib>

#include "host/MFD.h"
#include "standin/core/base.h"

namespace {

using Member = void (*)();

// The base class's own virtual operations, where it has them.
void *BaseDeletingDestructor(void *self, unsigned) {
  // Only made as part of a mode's display object, which frees itself.
  standin::base::Destroyed();
  return self;
}

[[noreturn]] void PureRepaint(void *, HDC) {
  std::fputs("a display object without Repaint was repainted\n", stderr);
  std::abort();
}

bool NoKey(void *, unsigned long) { return false; }
bool NoKeyState(void *, char *) { return false; }
bool NoButton(void *, int, int) { return false; }
char *NoLabel(void *, int) { return nullptr; }
int NoMenu(const void *, const MFDBUTTONMENU **) { return 0; }
void NoStatusWrite(const void *, void *) {}
void NoStatusRead(void *, void *) {}
void NoStatusStore(const void *) {}
void NoStatusRecall(void *) {}

template <typename Function>
constexpr Member AsMember(Function *function) {
  return reinterpret_cast<Member>(function);
}

// The base's virtual table, in the slot order of the Microsoft ABI.
const Member baseTable[] = {
    AsMember(&BaseDeletingDestructor),
    AsMember(&PureRepaint),
    AsMember(&NoKey),
    AsMember(&NoKeyState),
    AsMember(&NoButton),
    AsMember(&NoLabel),
    AsMember(&NoMenu),
    AsMember(&NoStatusWrite),
    AsMember(&NoStatusRead),
    AsMember(&NoStatusStore),
    AsMember(&NoStatusRecall),
};

void SetTable(void *self) { *static_cast<const Member **>(self) = baseTable; }

}  // namespace

extern "C" {

void velbrik_InitLib(HINSTANCE module) { InitLib(module); }
int velbrik_Date2Int(char *date) { return Date2Int(date); }
int velbrik_oapiRegisterMFDMode(MFDMODESPEC *mode) { return oapiRegisterMFDMode(*mode); }
bool velbrik_oapiUnregisterMFDMode(int mode) { return oapiUnregisterMFDMode(mode); }

// A constructor gives back the object it made.
void *velbrik_MFD_MFD(void *self, unsigned long width, unsigned long height, VESSEL *) {
  SetTable(self);
  standin::base::Constructed(width, height);
  return self;
}

void velbrik_MFD_destructor(void *self) {
  SetTable(self);
  standin::base::Destroyed();
}

HPEN velbrik_MFD_SelectDefaultPen(const void *, HDC surface, unsigned long index) {
  return standin::base::SelectDefaultPen(surface, index);
}

bool velbrik_MFD_ConsumeKeyImmediate(void *self, char *keystate) { return NoKeyState(self, keystate); }
void velbrik_MFD_WriteStatus(const void *self, void *file) { NoStatusWrite(self, file); }
void velbrik_MFD_ReadStatus(void *self, void *file) { NoStatusRead(self, file); }
void velbrik_MFD_StoreStatus(const void *self) { NoStatusStore(self); }
void velbrik_MFD_RecallStatus(void *self) { NoStatusRecall(self); }

}  // extern "C"
