// Event scripts: timed cockpit input for scripted and tested runs. One event a
// line, `#` starts a comment, blank lines are ignored:
//
//   at FRAME key [shift-left|shift-right] KEY   a key press (KEY by its name: N, R, F12, Escape)
//   at FRAME click display D button B           a click on a display's button (B 0–11, PWR, SEL or MNU)
//   at FRAME click X Y                          a click at a pixel of the cockpit picture
//   at FRAME mouse X Y                          the cursor the host reports, from then on
//   at FRAME screenshot PATH                    the cockpit picture as a PNG
//   at FRAME quit                               end the run
//
// FRAME counts the cockpit's refresh ticks from 0; frames never go back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "apps/play/layout.h"

namespace play {

struct KeyPress {
  unsigned key = 0;  // its scan code
  bool leftShift = false;
  bool rightShift = false;
  bool operator==(const KeyPress &) const = default;
};
struct Click {
  Control control;
  bool operator==(const Click &) const = default;
};
struct ClickAt {
  Point point;
  bool operator==(const ClickAt &) const = default;
};
struct MouseAt {
  Point point;
  bool operator==(const MouseAt &) const = default;
};
struct Screenshot {
  std::string path;
  bool operator==(const Screenshot &) const = default;
};
struct Quit {
  bool operator==(const Quit &) const = default;
};

using EventAction = std::variant<KeyPress, Click, ClickAt, MouseAt, Screenshot, Quit>;

struct ScriptEvent {
  std::int64_t frame = 0;
  int line = 0;  // from 1
  EventAction action;
};

struct ScriptFault {
  int line = 0;
  std::string message;
};

inline constexpr std::int64_t kMaxFrame = 1'000'000'000;

// Parses a whole script; false with `fault` at the first bad line.
bool ParseEventScript(std::string_view text, std::vector<ScriptEvent> &events, ScriptFault &fault);

// Checks that every display an event names exists among `displays`; false
// with `fault` at the first that does not.
bool CheckDisplays(const std::vector<ScriptEvent> &events, int displays, ScriptFault &fault);

}  // namespace play
