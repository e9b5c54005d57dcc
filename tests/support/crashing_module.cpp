// A display module that crashes on purpose, for the hosts' crash handling: its
// display draws a line at every repaint and writes through a null pointer at
// the third; key 0x2E executes an illegal instruction. It declines displays of
// no size, and has no version.
#include <new>

#include "host/MFD.h"

namespace {

class Crasher : public MFD {
 public:
  Crasher(unsigned long w, unsigned long h, VESSEL *v) : MFD(w, h, v) {}
  void Repaint(HDC surface) override {
    MoveToEx(surface, 0, 0, nullptr);
    LineTo(surface, 5, 5);
    if (++repaints == 3) *static_cast<volatile int *>(nullptr) = 1;
  }
  bool ConsumeKeyBuffered(unsigned long key) override {
    if (key == 0x2E) __builtin_trap();
    return false;
  }
  // The base's answers, given here: the Win32 host exports only the base
  // members the plug-in keeps, and these are not among them.
  bool ConsumeButton(int, int) override { return false; }
  char *ButtonLabel(int) override { return nullptr; }
  int ButtonMenu(const MFDBUTTONMENU **) const override { return 0; }
  int repaints = 0;
};

std::intptr_t Handler(UINT message, UINT, UINT size, std::intptr_t vessel) {
  if (message != 1 || size == 0) return 0;
  return reinterpret_cast<std::intptr_t>(new (std::nothrow)
                                             Crasher(size & 0xFFFF, size >> 16, reinterpret_cast<VESSEL *>(vessel)));
}

char name[] = "Crasher";

}  // namespace

extern "C" DLLEXPORT void opcDLLInit(HINSTANCE) {
  MFDMODESPEC mode{name, 0x2E, Handler};
  oapiRegisterMFDMode(mode);
}
