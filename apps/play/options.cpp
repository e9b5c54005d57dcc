#include "apps/play/options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace play {

const char kUsage[] =
    "Usage: velbrik-play [OPTION]...\n"
    "The stand-in host as a cockpit: loads a display module and shows one or two\n"
    "multi-function displays in a window, each with its side buttons, button\n"
    "labels and the host's PWR, SEL and MNU buttons, repainted at a fixed rate.\n"
    "\n"
    "  -d, --displays N       1 or 2 displays side by side (default 2)\n"
    "  -s, --size WxH         each display's size in pixels, 32 to 2048 (default 320x320)\n"
    "  -z, --zoom N           scale the window N times, 1 to 16 (default: as large\n"
    "                         as fits the screen)\n"
    "  -r, --refresh SECONDS  time between repaints, 0.001 to 1 (default 0.03)\n"
    "  -p, --plugin PATH      display module to load (default: the Velbrik.so beside\n"
    "                         this program)\n"
    "      --script FILE      play the timed events of FILE (see below)\n"
    "      --screenshot PATH  where F12 saves the cockpit picture as PNG (default:\n"
    "                         velbrik-play-N.png, the first N not taken)\n"
    "      --log FILE         write the host's call trace, one JSON array a line\n"
    "      --record FILE      write what the host did as a session script, which\n"
    "                         velbrik-run replays to the same call trace\n"
    "  -h, --help             show this help and exit\n"
    "\n"
    "Keys: Shift + a key sends it to a display, Left Shift to the left one and\n"
    "Right Shift to the right one (Shift+N picks Velbrik on the selection page,\n"
    "Shift+R releases the ball, Shift+S starts a new game). Without Shift:\n"
    "F1 help, P pause, F12 screenshot, Esc quit. The mouse moves the paddle of\n"
    "the display under the pointer; a click on a button presses it.\n"
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
    "there) or when a scripted screenshot, the log or the record cannot be written; 2 on bad\n"
    "options, a bad script or a module that cannot be loaded; 3 when the module\n"
    "crashed (the log and record up to the crash are written).\n";

namespace {

bool WholeNumber(std::string_view text, int low, int high, int &value) {
  const char *end = text.data() + text.size();
  int n = 0;
  const auto [stop, failed] = std::from_chars(text.data(), end, n);
  if (failed != std::errc() || stop != end || n < low || n > high) return false;
  value = n;
  return true;
}

bool Seconds(const std::string &text, double &value) {
  char *end = nullptr;
  const double s = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(s) || s < kMinRefresh || s > kMaxRefresh) return false;
  value = s;
  return true;
}

bool Size(std::string_view text, int &width, int &height) {
  const std::size_t x = text.find('x');
  return x != std::string_view::npos && WholeNumber(text.substr(0, x), kMinSide, kMaxSide, width) &&
         WholeNumber(text.substr(x + 1), kMinSide, kMaxSide, height);
}

struct Flag {
  const char *name;
  char letter;  // 0: long form only
  bool value;
};

constexpr Flag kFlags[] = {
    {"displays", 'd', true}, {"size", 's', true},  {"zoom", 'z', true},     {"refresh", 'r', true},
    {"plugin", 'p', true},   {"script", 0, true},  {"screenshot", 0, true}, {"log", 0, true},
    {"record", 0, true},     {"help", 'h', false},
};

}  // namespace

ParsedOptions ParseOptions(std::span<const char *const> arguments) {
  ParsedOptions parsed;
  Options &o = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const Flag *flag = nullptr;
    std::string value;
    bool inline_value = false;
    if (argument.starts_with("--") && argument.size() > 2) {
      const std::size_t equals = argument.find('=');
      const std::string_view name = argument.substr(2, equals == std::string_view::npos ? equals : equals - 2);
      for (const Flag &s : kFlags)
        if (name == s.name) flag = &s;
      if (flag && equals != std::string_view::npos) {
        if (!flag->value) {
          parsed.error = "option '--" + std::string(name) + "' takes no value";
          return parsed;
        }
        value = argument.substr(equals + 1);
        inline_value = true;
      }
    } else if (argument.size() == 2 && argument[0] == '-' && argument[1] != '-') {
      for (const Flag &s : kFlags)
        if (s.letter == argument[1]) flag = &s;
    } else {
      parsed.error = "unexpected argument '" + std::string(argument) + "'";
      return parsed;
    }
    if (!flag) {
      parsed.error = "unknown option '" + std::string(argument) + "'";
      return parsed;
    }
    if (flag->value && !inline_value) {
      if (i + 1 == arguments.size()) {
        parsed.error = "option '" + std::string(argument) + "' needs a value";
        return parsed;
      }
      value = arguments[++i];
    }
    const std::string name = flag->name;
    const auto bad = [&](const std::string &what) {
      parsed.error = "--" + name + " takes " + what + ", got '" + value + "'";
      return parsed;
    };
    if (name == "displays") {
      if (!WholeNumber(value, 1, 2, o.displays)) return bad("1 or 2");
    } else if (name == "size") {
      if (!Size(value, o.width, o.height)) return bad("WxH, each 32 to 2048");
    } else if (name == "zoom") {
      if (!WholeNumber(value, 1, kMaxZoom, o.zoom)) return bad("a whole number from 1 to 16");
    } else if (name == "refresh") {
      if (!Seconds(value, o.refresh)) return bad("seconds from 0.001 to 1");
    } else if (value.empty() && flag->value) {
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
    } else {
      parsed.help = true;
    }
  }
  return parsed;
}

}  // namespace play
