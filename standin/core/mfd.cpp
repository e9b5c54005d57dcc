// The host's display base class in this compiler's C++ ABI: construction and
// destruction are written to the log; the virtual operations keep their
// do-nothing base behaviour.
#include "host/MFD.h"

#include "standin/core/base.h"

MFD::MFD(unsigned long width, unsigned long height, VESSEL *) { standin::base::Constructed(width, height); }

MFD::~MFD() { standin::base::Destroyed(); }

bool MFD::ConsumeKeyBuffered(unsigned long) { return false; }
bool MFD::ConsumeKeyImmediate(char *) { return false; }
bool MFD::ConsumeButton(int, int) { return false; }
char *MFD::ButtonLabel(int) { return nullptr; }
int MFD::ButtonMenu(const MFDBUTTONMENU **) const { return 0; }
void MFD::WriteStatus(void *) const {}
void MFD::ReadStatus(void *) {}
void MFD::StoreStatus() const {}
void MFD::RecallStatus() {}

HPEN MFD::SelectDefaultPen(HDC hdc, unsigned long index) const { return standin::base::SelectDefaultPen(hdc, index); }
