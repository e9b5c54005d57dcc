// The host's display base class, the records exchanged with it, its functions and
// its key codes. A display mode derives from MFD and overrides its virtual
// operations; the host owns every display object and deletes it through the
// virtual destructor.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform.h"

class VESSEL;  // the spacecraft a display belongs to; opaque to display modes

// A mode's message handler: message, display, size word (width in the low and
// height in the high 16 bits), vessel. The vessel argument and the result, which
// carries a new display object's address, are as wide as a pointer.
typedef std::intptr_t (*MFDMSGPROC)(UINT message, UINT display, UINT sizeWord, std::intptr_t vessel);

// Registration record for a display mode.
struct MFDMODESPEC {
  char *name;          // mode name, must outlive the registration
  DWORD key;           // selection key code
  MFDMSGPROC msgproc;  // message handler
};

// One entry of a button menu; a menu is a contiguous array of them.
#pragma pack(push, 1)
struct MFDBUTTONMENU {
  const char *line1;  // first text line
  const char *line2;  // second text line, null when none
  char selchar;       // shortcut character, 0 when none
};
#pragma pack(pop)

static_assert(offsetof(MFDMODESPEC, key) == sizeof(void *));
static_assert(offsetof(MFDBUTTONMENU, line2) == sizeof(void *));
static_assert(offsetof(MFDBUTTONMENU, selchar) == 2 * sizeof(void *));
static_assert(sizeof(MFDBUTTONMENU) == 2 * sizeof(void *) + 1, "menu entries are packed");
static_assert(sizeof(void *) != 4 || sizeof(MFDBUTTONMENU) == 9);
static_assert(sizeof(void *) != 4 || sizeof(MFDMODESPEC) == 12);

// The host's display base class. Virtual operations keep this slot order.
class MFD {
 public:
  MFD(unsigned long width, unsigned long height, VESSEL *vessel);
  virtual ~MFD();
  virtual void Repaint(HDC surface) = 0;
  virtual bool ConsumeKeyBuffered(unsigned long key);
  virtual bool ConsumeKeyImmediate(char *keystate);
  virtual bool ConsumeButton(int bt, int event);
  virtual char *ButtonLabel(int bt);
  virtual int ButtonMenu(const MFDBUTTONMENU **menu) const;
  virtual void WriteStatus(void *file) const;
  virtual void ReadStatus(void *file);
  virtual void StoreStatus() const;
  virtual void RecallStatus();

  // Selects the host's default pen `index` into the surface for later lines and ellipses.
  HPEN SelectDefaultPen(HDC surface, unsigned long index) const;
};

// The base's data members are not known, so these declarations give it none and
// a display mode's own fields follow right after the table pointer. That fits
// the host only while its base object holds nothing but that pointer; otherwise
// the module is to be built against the host's own declarations.
static_assert(sizeof(MFD) == sizeof(void *), "the host's MFD base object is taken to carry only its vtable pointer");

// Host functions.
void InitLib(HINSTANCE module);
int Date2Int(char *date);
int oapiRegisterMFDMode(MFDMODESPEC &mode);
bool oapiUnregisterMFDMode(int mode);

// Key codes: PC keyboard scan codes (set 1).
#define OAPI_KEY_2 0x03
#define OAPI_KEY_3 0x04
#define OAPI_KEY_4 0x05
#define OAPI_KEY_5 0x06
#define OAPI_KEY_6 0x07
#define OAPI_KEY_7 0x08
#define OAPI_KEY_8 0x09
#define OAPI_KEY_9 0x0A
#define OAPI_KEY_Q 0x10
#define OAPI_KEY_W 0x11
#define OAPI_KEY_R 0x13
#define OAPI_KEY_S 0x1F
#define OAPI_KEY_N 0x31
