#include "standin/core/base.h"

#include "standin/core/host.h"
#include "standin/core/surface.h"

namespace standin::base {

void Constructed(unsigned long width, unsigned long height) { Host::Instance().Log("MFD", width, height); }

void Destroyed() { Host::Instance().Log("~MFD"); }

HPEN SelectDefaultPen(HDC hdc, unsigned long index) {
  Surface *surface = Surface::From(hdc);
  if (!surface) return nullptr;
  surface->SelectPen(index);
  // A handle that stands for the pen; the module never looks at it.
  return reinterpret_cast<HPEN>(static_cast<std::uintptr_t>(index) + 1);
}

}  // namespace standin::base
