#include "apps/run/demo.h"

#include "apps/autopilot/autopilot.h"

namespace apps {

bool RunDemo(standin::Session &session, const DemoOptions &options, const std::function<void(std::int64_t)> &progress,
             standin::ScriptError &error) {
  using standin::Command;
  using standin::Op;
  standin::Sight sight;
  bool watching = false;
  session.OnDisplayOpened([&](int display, int, int, standin::Surface &surface) {
    if (display == 0) {
      surface.Attach(sight);
      watching = true;
    }
    return std::string();
  });

  // Lines count the commands given, as if the demo were a script.
  int line = 0;
  auto run = [&](const Command &command) {
    Command numbered = command;
    numbered.line = ++line;
    if (session.Run(numbered, error.message)) return true;
    error.line = numbered.line;
    return false;
  };

  standin::Autopilot pilot(options.width, 0);
  if (!run(Command{Op::Open, options.width, options.height})) return false;
  if (!watching) return true;  // the module made no display: nothing to play
  std::int64_t frame = 0, left = options.finalFrames;
  while (frame < options.maxFrames && left > 0) {
    if (!run(Command{Op::Repaint, 1})) return false;
    progress(++frame);
    if (pilot.Finished()) {
      --left;
      continue;
    }
    for (const Command &command : pilot.Next(sight.Seen(), line))
      if (!run(command)) return false;
  }
  return true;
}

}  // namespace apps
