// Controls: keys S (new game) and R (release ball), the display buttons that
// forward to them, the button labels and the button menu.
#include "game/BrickMFD.h"

namespace {

char labelNew[] = "NEW";
char labelRelease[] = "REL";
char labelNone[] = "";

char *const buttonLabels[12] = {labelNew,  labelRelease, labelNone, labelNone, labelNone, labelNone,
                                labelNone, labelNone,    labelNone, labelNone, labelNone, labelNone};

// The key each button forwards; only the first two are used.
const unsigned long buttonKeys[12] = {OAPI_KEY_S, OAPI_KEY_R, OAPI_KEY_2, OAPI_KEY_3, OAPI_KEY_4, OAPI_KEY_5,
                                      OAPI_KEY_6, OAPI_KEY_7, OAPI_KEY_8, OAPI_KEY_9, OAPI_KEY_Q, OAPI_KEY_W};

const MFDBUTTONMENU buttonMenu[12] = {
    {"Start new Game", nullptr, 'S'},
    {"Release Ball", nullptr, 'R'},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},
};

}  // namespace

bool BrickMFD::ConsumeKeyBuffered(unsigned long key) {
  switch (key) {
    case OAPI_KEY_R:
      // Releasing runs a whole frame at once, outside the repaint.
      if (!ballReleased) Step(true);
      return true;
    case OAPI_KEY_S: NewGame(); return true;
    default: return false;
  }
}

bool BrickMFD::ConsumeButton(int bt, int event) {
  if (!(event & 1) || bt < 0 || bt > 11) return false;
  return ConsumeKeyBuffered(buttonKeys[bt]);
}

char *BrickMFD::ButtonLabel(int bt) {
  if (bt < 0 || bt > 11) return nullptr;
  return buttonLabels[bt];
}

int BrickMFD::ButtonMenu(const MFDBUTTONMENU **menu) const {
  if (menu) *menu = buttonMenu;
  return 12;
}
