// The browser's keys as the cockpit knows them: PC keyboard scan codes, from
// a key event's physical key (KeyboardEvent.code), and which Shift is held.
#pragma once

#include <string_view>

#include "apps/play/keys.h"

namespace play::web {

// The scan code (set 1, extended keys with 0x80 added) of the key whose
// KeyboardEvent.code is `code`; 0 for a key that has none.
unsigned ScanCode(std::string_view code);

// The Shift keys held, from the key events seen: a browser says only that
// some Shift is down, not which.
class ShiftKeys {
 public:
  // Where a press of `code` goes; a Shift press or release is noted and ignored.
  KeyRoute Down(unsigned code, int displays);
  void Up(unsigned code);
  void Forget() { left_ = right_ = false; }  // keys let go unseen, as on losing focus

 private:
  bool left_ = false;
  bool right_ = false;
  unsigned last_ = kLeftShift;  // with both held, the one pressed last picks the display
};

}  // namespace play::web
