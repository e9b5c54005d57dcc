// The host's display base class: construction and destruction are written to
// the log; the virtual operations keep their do-nothing base behaviour.
#include "host/MFD.h"

#include "standin/core/host.h"
#include "standin/core/json.h"
#include "standin/core/surface.h"

using standin::Host;
using standin::Json;

MFD::MFD(unsigned long width, unsigned long height, VESSEL *) { Host::Instance().Log(Json("MFD", width, height)); }

MFD::~MFD() { Host::Instance().Log(Json("~MFD")); }

bool MFD::ConsumeKeyBuffered(unsigned long) { return false; }
bool MFD::ConsumeKeyImmediate(char *) { return false; }
bool MFD::ConsumeButton(int, int) { return false; }
char *MFD::ButtonLabel(int) { return nullptr; }
int MFD::ButtonMenu(const MFDBUTTONMENU **) const { return 0; }
void MFD::WriteStatus(void *) const {}
void MFD::ReadStatus(void *) {}
void MFD::StoreStatus() const {}
void MFD::RecallStatus() {}

HPEN MFD::SelectDefaultPen(HDC hdc, unsigned long index) const {
  standin::Surface *surface = standin::Surface::From(hdc);
  if (!surface) return nullptr;
  surface->SelectPen(index);
  // A handle that stands for the pen; the module never looks at it.
  return reinterpret_cast<HPEN>(static_cast<std::uintptr_t>(index) + 1);
}
