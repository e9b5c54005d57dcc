// What the host's display base class does, whichever C++ ABI a module calls
// it in: construction and destruction are written to the log, and the default
// pen is selected into a surface.
#pragma once

#include "host/MFD.h"

namespace standin::base {

void Constructed(unsigned long width, unsigned long height);
void Destroyed();
// Selects default pen `index` into the surface behind `hdc`; a handle that
// stands for the pen, null for a handle that is no surface.
HPEN SelectDefaultPen(HDC hdc, unsigned long index);

}  // namespace standin::base
