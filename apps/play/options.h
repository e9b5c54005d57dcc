// velbrik-play's command line.
#pragma once

#include <span>
#include <string>

namespace play {

struct Options {
  int displays = 2;
  int width = 320;  // of each display
  int height = 320;
  int zoom = 0;            // whole-number window scale; 0: the largest that fits the screen
  double refresh = 0.03;   // seconds from one repaint of the displays to the next
  int mouseScale = 2;      // the pointer's travel reported this many times over
  std::string plugin;      // empty: the Velbrik.so beside the program
  std::string script;      // event script, when set
  std::string screenshot;  // where F12 writes; empty: velbrik-play-N.png, the first N free
  std::string log;         // the host's call trace, when set
  std::string record;      // the session script of the run, when set
  bool operator==(const Options &) const = default;
};

inline constexpr int kMinSide = 32;
inline constexpr int kMaxSide = 2048;
inline constexpr int kMaxZoom = 16;
inline constexpr int kMaxMouseScale = 8;
inline constexpr double kMinRefresh = 0.001;
inline constexpr double kMaxRefresh = 1.0;

struct ParsedOptions {
  Options options;
  bool help = false;     // --help was asked for
  bool version = false;  // --version was asked for
  std::string error;     // a bad command line, said in one line; empty when good
};

// Parses the arguments after the program name, in the GNU style.
ParsedOptions ParseOptions(std::span<const char *const> arguments);

extern const char kUsage[];

}  // namespace play
