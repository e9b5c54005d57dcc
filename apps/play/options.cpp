#include "apps/play/options.h"

#include <string_view>

#include "apps/common/options.h"
#include "standin/core/words.h"

namespace play {

const char kUsage[] =
    "Usage: velbrik-play [OPTION]...\n"
    "The stand-in host as a cockpit: loads a display module and shows one or two\n"
    "multi-function displays in a window, each with its side buttons, button\n"
    "labels and the host's PWR, SEL and MNU buttons, repainted at a fixed rate.\n"
    "\n"
    "  -d, --displays N       1 or 2 displays side by side (default 2)\n"
    "  -s, --size WxH         each display's size, 32 to 2048 pixels (default 320x320)\n"
    "  -z, --zoom N           scale the window N times, 1 to 16 (default: as large\n"
    "                         as fits the screen)\n"
    "  -r, --refresh SECONDS  time between repaints, 0.001 to 1 (default 0.03)\n"
    "  -m, --mouse-scale N    report the pointer's travel N times over, 1 to 8\n"
    "                         (default 2: a paddle that moves half the cursor's\n"
    "                         travel, as this game's does, follows the pointer;\n"
    "                         1 is the host's own cursor)\n"
    "  -p, --plugin PATH      display module to load (default: the Velbrik.so beside\n"
    "                         this program)\n"
    "      --script FILE      play the timed events of FILE (see below)\n"
    "      --screenshot PATH  where F12 saves the cockpit picture as PNG (default:\n"
    "                         velbrik-play-N.png, the first N not taken)\n"
    "      --log FILE         write the host's call trace, one JSON array a line\n"
    "      --record FILE      write what the host did as a session script, which\n"
    "                         velbrik-run replays to the same call trace\n"
    "  -h, --help             show this help and exit\n"
    "      --version          show the version and exit\n"
    "\n"
    "Keys: Shift + a key sends it to a display, Left Shift to the left one and\n"
    "Right Shift to the right one (Shift+N picks Velbrik on the selection page,\n"
    "Shift+R releases the ball, Shift+S starts a new game). Without Shift:\n"
    "F1 help, P pause, '.' one frame while paused, F5 reload the module (rebuilt),\n"
    "F11 full screen, F12 screenshot, Esc quit (or first free the pointer). The\n"
    "mouse moves the paddle of the display under the pointer; a click on a button\n"
    "presses it, and one on a display keeps the pointer in the window. Losing\n"
    "focus pauses.\n"
    "\n"
    "Event script, one event a line ('#' starts a comment); FRAME counts\n"
    "repaint ticks from 0 and never goes back:\n"
    "  at FRAME key [shift-left|shift-right] KEY   KEY by name: N, R, F12, Escape\n"
    "  at FRAME click display D button B           B: 0 to 11, PWR, SEL or MNU\n"
    "  at FRAME click X Y                          a pixel of the cockpit picture\n"
    "  at FRAME mouse X Y                          the cursor the host reports\n"
    "  at FRAME screenshot PATH                    save the picture as PNG\n"
    "  at FRAME quit                               end the run\n"
    "\n"
    "Exit status: 0 on success; 1 without a graphical display (use velbrik-run\n"
    "there) or when a scripted screenshot, the log or the record cannot be\n"
    "written; 2 on bad options, a bad script or a module that cannot be loaded;\n"
    "3 when the module crashed (the log and record up to the crash are written).\n";

namespace {

constexpr apps::Option kTable[] = {
    {"displays", 'd', true}, {"size", 's', true},  {"zoom", 'z', true},     {"refresh", 'r', true},
    {"plugin", 'p', true},   {"script", 0, true},  {"screenshot", 0, true}, {"log", 0, true},
    {"record", 0, true},     {"help", 'h', false}, {"version", 0, false},   {"mouse-scale", 'm', true},
};

}  // namespace

ParsedOptions ParseOptions(std::span<const char *const> arguments) {
  ParsedOptions parsed;
  Options &o = parsed.options;
  const apps::CommandLine line = apps::ParseCommandLine(kTable, arguments);
  parsed.error = line.error;
  if (!line.error.empty()) return parsed;
  for (const apps::OptionUse &use : line.options) {
    const std::string_view name = use.option->name;
    const std::string value(use.value);
    const auto bad = [&](const std::string &what) {
      parsed.error = "--" + std::string(name) + " takes " + what + ", got '" + value + "'";
      return parsed;
    };
    if (name == "displays") {
      if (!standin::ReadInteger(value, 1, 2, o.displays)) return bad("1 or 2");
    } else if (name == "size") {
      if (!apps::ReadSize(value, kMinSide, kMaxSide, o.width, o.height)) return bad("WxH, each 32 to 2048");
    } else if (name == "zoom") {
      if (!standin::ReadInteger(value, 1, kMaxZoom, o.zoom)) return bad("a whole number from 1 to 16");
    } else if (name == "mouse-scale") {
      if (!standin::ReadInteger(value, 1, kMaxMouseScale, o.mouseScale)) return bad("a whole number from 1 to 8");
    } else if (name == "refresh") {
      if (!standin::ReadDecimal(value, kMinRefresh, kMaxRefresh, o.refresh)) return bad("seconds from 0.001 to 1");
    } else if (name == "help") {
      parsed.help = true;
    } else if (name == "version") {
      parsed.version = true;
    } else if (value.empty()) {
      return bad("a path");
    } else if (name == "plugin") {
      o.plugin = value;
    } else if (name == "script") {
      o.script = value;
    } else if (name == "screenshot") {
      o.screenshot = value;
    } else if (name == "log") {
      o.log = value;
    } else if (name == "record") {
      o.record = value;
    }
  }
  if (!line.operands.empty()) parsed.error = "unexpected argument '" + std::string(line.operands.front()) + "'";
  return parsed;
}

}  // namespace play
