// The built-in demo session: a display opened in the module's mode and a whole
// game played on it by the autopilot, which sees only what the display draws.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "standin/core/script.h"
#include "standin/core/session.h"

namespace apps {

struct DemoOptions {
  int width = 320;
  int height = 240;
  std::int64_t maxFrames = 20000;  // a game that has not ended by then stops
  int finalFrames = 50;            // repaints kept after the game ends, to show how
};

// Runs the demo on a loaded `session`; `progress` hears of every repaint.
// False with `error` when a command fails.
bool RunDemo(standin::Session &session, const DemoOptions &options, const std::function<void(std::int64_t)> &progress,
             standin::ScriptError &error);

}  // namespace apps
