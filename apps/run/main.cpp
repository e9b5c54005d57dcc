// velbrik-run: the headless runner. Loads a display module into the stand-in
// host, drives it from a session script and writes the call trace.
#include <getopt.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "apps/common/output_file.h"
#include "standin/script.h"
#include "standin/session.h"

namespace {

const char usage[] =
    "Usage: velbrik-run --script FILE [--trace OUT] [--plugin PATH]\n"
    "Load a display module into the stand-in host, run a session script on it and\n"
    "write the call trace: every command, every call the module makes into the host\n"
    "and onto a surface, and every result, one JSON array per line.\n"
    "\n"
    "  -s, --script FILE   session script to run ('-' for standard input)\n"
    "  -t, --trace OUT     where the call trace goes ('-', the default, for standard output)\n"
    "  -p, --plugin PATH   display module to load (default: the Velbrik.so beside this program)\n"
    "  -h, --help          show this help and exit\n"
    "\n"
    "Script commands, one a line ('#' starts a comment):\n"
    "  open W H          open a W x H display in the module's mode; it becomes current\n"
    "  use K             make display K current\n"
    "  cursor X [Y]      set the mouse cursor's screen position\n"
    "  repaint [N]       repaint the current display N times (default 1)\n"
    "  key CODE          send a key (scan code) to the current display\n"
    "  button BT EVENT   send a button event to the current display\n"
    "  label BT          ask the current display for a button label\n"
    "  menu [null]       ask the current display for its button menu\n"
    "  version           ask the module for its version\n"
    "  message M         send message M to the mode's handler\n"
    "  close             delete the current display\n"
    "\n"
    "Exit status: 0 on success, 2 on bad options, a bad script or a module that\n"
    "cannot be loaded; no trace file is left behind on failure.\n";

int Fail(const std::string &message) {
  std::fprintf(stderr, "velbrik-run: %s\n", message.c_str());
  return 2;
}

// A fault on a script line, reported as compilers report one.
int ScriptFault(const std::string &script, const standin::ScriptError &error) {
  std::fprintf(stderr, "%s:%d: %s\n", script.c_str(), error.line, error.message.c_str());
  return 2;
}

int BadUsage(const std::string &message) {
  std::fprintf(stderr, "velbrik-run: %s\nTry 'velbrik-run --help' for more information.\n", message.c_str());
  return 2;
}

// The module built beside this program.
std::string DefaultPlugin() {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "Velbrik.so";
  std::string path(self, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1) + "Velbrik.so";
}

}  // namespace

int main(int argc, char **argv) {
  std::string scriptPath, tracePath = "-", pluginPath;
  static const option options[] = {{"script", required_argument, nullptr, 's'},
                                   {"trace", required_argument, nullptr, 't'},
                                   {"plugin", required_argument, nullptr, 'p'},
                                   {"help", no_argument, nullptr, 'h'},
                                   {nullptr, 0, nullptr, 0}};
  opterr = 0;
  int c;
  while ((c = getopt_long(argc, argv, ":s:t:p:h", options, nullptr)) != -1) {
    switch (c) {
      case 's': scriptPath = optarg; break;
      case 't': tracePath = optarg; break;
      case 'p': pluginPath = optarg; break;
      case 'h': std::fputs(usage, stdout); return 0;
      case ':': return BadUsage(std::string("option '") + argv[optind - 1] + "' needs a value");
      default: return BadUsage(std::string("unknown option '") + argv[optind - 1] + "'");
    }
  }
  if (optind < argc) return BadUsage(std::string("unexpected argument '") + argv[optind] + "'");
  if (scriptPath.empty()) return BadUsage("no script given (--script FILE)");
  if (pluginPath.empty()) pluginPath = DefaultPlugin();

  std::string text, error;
  if (!apps::ReadFile(scriptPath, text, error)) return Fail(error);
  const std::string scriptName = scriptPath == "-" ? "<stdin>" : scriptPath;
  std::vector<standin::Command> commands;
  standin::ScriptError scriptError;
  if (!standin::ParseScript(text, commands, scriptError)) return ScriptFault(scriptName, scriptError);

  auto out = apps::OutputFile::Open(tracePath, error);
  if (!out) return Fail(error);
  standin::StreamTrace trace(out->Stream());
  {
    standin::Session session(&trace);
    if (!standin::RunScript(session, pluginPath, commands, scriptError)) {
      if (scriptError.line == 0) return Fail(scriptError.message);
      return ScriptFault(scriptName, scriptError);
    }
  }
  if (!out->Commit(error)) return Fail(error);
  return 0;
}
