// velbrik-run: the headless runner. Loads a display module into the stand-in
// host, drives it from a session script (or lets the autopilot play a game),
// and writes the call trace and, when asked, pictures of every repaint.
#include <chrono>
#include <cstdio>
#include <string>

#include "apps/common/cpu_time.h"
#include "apps/common/options.h"
#include "apps/common/output_file.h"
#include "apps/common/plugin_loader.h"
#include "apps/common/plugin_path.h"
#include "apps/common/progress.h"
#include "apps/run/demo.h"
#include "apps/run/pictures.h"
#include "standin/core/script.h"
#include "standin/core/session.h"
#include "standin/core/words.h"

namespace {

const char usage[] =
    "Usage: velbrik-run (--script FILE | --demo) [OPTION]...\n"
    "Load a display module into the stand-in host, run a session script on it (or\n"
    "let the autopilot play a whole game), and write the call trace: every command,\n"
    "every call the module makes into the host and onto a surface, and every\n"
    "result, one JSON array per line. Pictures of the displays are rendered on\n"
    "request, in the same pass.\n"
    "\n"
    "  -s, --script FILE   session script to run ('-' for standard input)\n"
    "      --demo          play the built-in demo: the autopilot plays a game\n"
    "      --size WxH      the demo's display size (default 320x240)\n"
    "  -t, --trace OUT     where the call trace goes ('-' for standard output; the\n"
    "                      default, unless pictures are asked for)\n"
    "  -p, --plugin PATH   display module to load (default: the Velbrik.so beside\n"
    "                      this program)\n"
    "      --png DIR       write a PNG of every repaint into DIR\n"
    "                      (displayK-NNNNNN.png: display K, its Nth repaint)\n"
    "      --gif FILE      write an animated GIF of the first display's repaints\n"
    "      --every N       keep only every Nth repaint of a display (default 1)\n"
    "      --fps N         the GIF's frames per second, 1 to 100 (default 25)\n"
    "      --zoom N        scale pictures N times, 1 to 16 (default 1)\n"
    "  -q, --quiet         draw every repaint on the pixel surface and write nothing:\n"
    "                      no trace, no pictures, no progress bar (to measure speed)\n"
    "      --stats         at the end, tell on standard error how many frames ran,\n"
    "                      how many a second, and the CPU time they took\n"
    "  -h, --help          show this help and exit\n"
    "      --version       show the version and exit\n"
    "\n"
    "Script commands, one a line ('#' starts a comment):\n"
    "  open W H [MODE]   open a W x H display in the module's first mode (or mode\n"
    "                    MODE, by its id); it becomes current\n"
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
    "Exit status: 0 on success; 2 on bad options, a bad script, a module that\n"
    "cannot be loaded or output that cannot be written (then no output file is\n"
    "left behind); 3 when the module crashed: the trace and pictures up to the\n"
    "crash are written, and the message names the script line that was running.\n";

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
  std::fprintf(stderr, "velbrik-run: %s (see velbrik-run --help)\n", message.c_str());
  return 2;
}

constexpr apps::Option kTable[] = {
    {"script", 's', true}, {"trace", 't', true}, {"plugin", 'p', true}, {"demo", 0, false},    {"size", 0, true},
    {"png", 0, true},      {"gif", 0, true},     {"every", 0, true},    {"fps", 0, true},      {"zoom", 0, true},
    {"quiet", 'q', false}, {"stats", 0, false},  {"help", 'h', false},  {"version", 0, false},
};

// "velbrik-run: 2183 frames in 0.12 s, 18192 frames/s; CPU time 0.11 s"
void PrintStats(std::int64_t frames, std::chrono::steady_clock::duration elapsed, double cpuSeconds) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  std::fprintf(stderr, "velbrik-run: %lld frames in %.3f s, %.0f frames/s; CPU time %.3f s\n",
               static_cast<long long>(frames), seconds, seconds > 0 ? static_cast<double>(frames) / seconds : 0.0,
               cpuSeconds);
}

}  // namespace

int main(int argc, char **argv) {
  std::string scriptPath, tracePath, pluginPath;
  bool demo = false, quiet = false, stats = false;
  apps::DemoOptions demoOptions;
  apps::PictureOptions pictureOptions;
  const apps::CommandLine line = apps::ParseCommandLine(kTable, apps::ArgumentsOf(argc, argv));
  if (!line.error.empty()) return BadUsage(line.error);
  for (const apps::OptionUse &use : line.options) {
    const std::string_view name = use.option->name;
    const std::string value(use.value);
    if (name == "script") {
      scriptPath = value;
    } else if (name == "trace") {
      tracePath = value;
    } else if (name == "plugin") {
      pluginPath = value;
    } else if (name == "demo") {
      demo = true;
    } else if (name == "size") {
      if (!apps::ReadSize(value, 0, 65535, demoOptions.width, demoOptions.height))
        return BadUsage("--size takes WxH, each 0 to 65535, got '" + value + "'");
    } else if (name == "png") {
      pictureOptions.pngDir = value;
    } else if (name == "gif") {
      pictureOptions.gifPath = value;
    } else if (name == "every") {
      if (!standin::ReadInteger(value, 1, 1000000, pictureOptions.every))
        return BadUsage("--every takes a number from 1 to 1000000, got '" + value + "'");
    } else if (name == "fps") {
      if (!standin::ReadInteger(value, 1, 100, pictureOptions.fps))
        return BadUsage("--fps takes a number from 1 to 100, got '" + value + "'");
    } else if (name == "zoom") {
      if (!standin::ReadInteger(value, 1, 16, pictureOptions.zoom))
        return BadUsage("--zoom takes a number from 1 to 16, got '" + value + "'");
    } else if (name == "quiet") {
      quiet = true;
    } else if (name == "stats") {
      stats = true;
    } else if (name == "help") {
      std::fputs(usage, stdout);
      return 0;
    } else if (name == "version") {
      std::puts("velbrik-run " VELBRIK_VERSION);
      return 0;
    }
  }
  if (!line.operands.empty()) return BadUsage("unexpected argument '" + std::string(line.operands.front()) + "'");
  if (scriptPath.empty() == !demo)
    return BadUsage(demo ? "--script and --demo exclude each other" : "no script given (--script FILE, or --demo)");
  const bool pictures = !pictureOptions.pngDir.empty() || !pictureOptions.gifPath.empty();
  if (quiet && (pictures || !tracePath.empty()))
    return BadUsage("--quiet writes nothing: it excludes --trace, --png and --gif");
  if (tracePath.empty() && !pictures && !quiet) tracePath.assign(1, '-');  // standard output
  if (pluginPath.empty()) pluginPath = apps::DefaultPlugin();

  std::string error;
  std::vector<standin::Command> commands;
  std::string scriptName = "demo";
  std::int64_t totalFrames = demoOptions.maxFrames;
  if (!demo) {
    std::string text;
    if (!apps::ReadFile(scriptPath, text, error)) return Fail(error);
    scriptName = scriptPath == "-" ? "<stdin>" : scriptPath;
    standin::ScriptError scriptError;
    if (!standin::ParseScript(text, commands, scriptError)) return ScriptFault(scriptName, scriptError);
    totalFrames = 0;
    for (const auto &command : commands)
      if (command.op == standin::Op::Repaint) totalFrames += command.a;
  }

  std::unique_ptr<apps::OutputFile> traceFile;
  std::unique_ptr<standin::StreamTrace> trace;
  if (!tracePath.empty()) {
    traceFile = apps::OutputFile::Open(tracePath, error);
    if (!traceFile) return Fail(error);
    trace = std::make_unique<standin::StreamTrace>(traceFile->Stream());
  }
  std::unique_ptr<apps::Pictures> pictureOutput;
  if (pictures || quiet) {  // quiet: the pictures drawn, none written
    pictureOutput = apps::Pictures::Create(pictureOptions, error);
    if (!pictureOutput) return Fail(error);
  }

  {
    apps::PluginGuard guard(apps::RemoveTemporaries);
    standin::Session session(trace.get(), apps::kOpenPlugin);
    session.Guard(&guard);
    if (pictureOutput) pictureOutput->Attach(session);
    apps::Progress progress("velbrik-run", quiet ? 0 : totalFrames);
    std::int64_t frames = 0;
    const auto started = std::chrono::steady_clock::now();
    const double cpuAtStart = apps::ProcessCpuSeconds();
    const auto report = [&] {
      if (stats) PrintStats(frames, std::chrono::steady_clock::now() - started, apps::ProcessCpuSeconds() - cpuAtStart);
    };
    standin::ScriptError runError;
    bool ran;
    if (demo) {
      const auto onFrame = [&](std::int64_t n) {
        frames = n;
        progress.Update(n);
      };
      ran = session.Load(pluginPath, runError.message) && apps::RunDemo(session, demoOptions, onFrame, runError);
    } else {
      session.OnRepainted([&](int) {
        progress.Update(++frames);
        return std::string();
      });
      ran = standin::RunScript(session, pluginPath, commands, runError);
    }
    if (!ran && session.Crashed()) {
      // The developer's evidence: everything up to the crash is kept.
      session.Unload();
      report();
      if (runError.line > 0)
        ScriptFault(scriptName, runError);
      else
        Fail((demo ? std::string("demo") : pluginPath) + ": " + runError.message);
      if (pictureOutput && !pictureOutput->Commit(error)) return Fail(error);
      if (traceFile && !traceFile->Commit(error)) return Fail(error);
      if (traceFile && tracePath != "-")
        std::fprintf(stderr, "velbrik-run: the trace up to the crash is in %s\n", traceFile->Path().c_str());
      return 3;
    }
    if (!ran) return runError.line == 0 ? Fail(runError.message) : ScriptFault(scriptName, runError);
    session.Unload();
    report();
  }
  if (pictureOutput && !pictureOutput->Commit(error)) return Fail(error);
  if (traceFile && !traceFile->Commit(error)) return Fail(error);
  return 0;
}
