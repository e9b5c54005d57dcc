// Keyboard input as the host takes it: a key pressed with Shift goes to a
// display (Left Shift the left one, Right Shift the right one) as its PC
// keyboard scan code; a key without Shift belongs to the cockpit itself.
// Keys are known here by those scan codes (set 1, one byte, extended keys with
// 0x80 added); each window system's keys are mapped to them where it is read.
#pragma once

#include <string>
#include <string_view>

namespace play {

inline constexpr unsigned kLeftShift = 0x2A, kRightShift = 0x36;

// The key's name ("N", "F1", "Up", "Left Shift"); empty for a code no key has.
std::string KeyName(unsigned code);
// The code of the key named `name`, in any case; 0 for a name no key has.
unsigned KeyCode(std::string_view name);

// The cockpit's own keys.
enum class CockpitKey { Help, Screenshot, Pause, Step, Fullscreen, Reload, Quit };

struct KeyRoute {
  enum class Kind { Ignore, Display, Cockpit };
  Kind kind = Kind::Ignore;
  int display = 0;                       // for Display
  unsigned code = 0;                     // for Display: the scan code
  CockpitKey action = CockpitKey::Help;  // for Cockpit
};

// Where a press of key `code` goes with `displays` displays (1 or 2). With
// Shift it goes to a display: Left Shift picks display 0, Right Shift display
// 1 (both held: display 0; with one display either Shift picks display 0).
// Shift keys themselves and code 0 are ignored. Without Shift: F1, F5, F11,
// F12, P, '.' and Escape are the cockpit's; other keys are ignored.
KeyRoute RouteKey(unsigned code, bool leftShift, bool rightShift, int displays);

}  // namespace play
