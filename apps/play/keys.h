// Keyboard input as the host takes it: a key pressed with Shift goes to a
// display (Left Shift the left one, Right Shift the right one) as its PC
// keyboard scan code; a key without Shift belongs to the cockpit itself.
#pragma once

#include <SDL_scancode.h>

#include <string>

namespace play {

// The scan code (set 1) of `key`, as the host delivers it to a display: one
// byte, extended keys (the arrows, the block above them, keypad Enter and
// slash, right Ctrl and Alt) with 0x80 added. 0 for a key that has none.
unsigned ScanCode(SDL_Scancode key);

// The key whose scan code is `code`, by its SDL name ("N", "F1", "Up"); empty
// for a code no key has.
std::string KeyName(unsigned code);

// The cockpit's own keys.
enum class CockpitKey { Help, Screenshot, Pause, Quit };

struct KeyRoute {
  enum class Kind { Ignore, Display, Cockpit };
  Kind kind = Kind::Ignore;
  int display = 0;                       // for Display
  unsigned code = 0;                     // for Display: the scan code
  CockpitKey action = CockpitKey::Help;  // for Cockpit
};

// Where a key press goes with `displays` displays (1 or 2). With Shift it
// goes to a display: Left Shift picks display 0, Right Shift display 1 (both
// held: display 0; with one display either Shift picks display 0). Shift keys
// themselves and keys without a scan code are ignored. Without Shift: F1, F12,
// P and Escape are the cockpit's; other keys are ignored.
KeyRoute RouteKey(SDL_Scancode key, bool leftShift, bool rightShift, int displays);

}  // namespace play
