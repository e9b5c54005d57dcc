// SDL's keys as the cockpit knows them: PC keyboard scan codes.
#pragma once

#include <SDL_scancode.h>

namespace play {

// The scan code (set 1) of `key`, as the host delivers it to a display: one
// byte, extended keys (the arrows, the block above them, keypad Enter and
// slash, right Ctrl and Alt) with 0x80 added. 0 for a key that has none.
unsigned ScanCode(SDL_Scancode key);

}  // namespace play
