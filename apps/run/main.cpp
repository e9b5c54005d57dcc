// velbrik-run: the headless runner. Loads a display module into the stand-in
// host, drives it from a session script (or lets the autopilot play a game),
// and writes the call trace and, when asked, pictures of every repaint.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>

#include "apps/common/options.h"
#include "apps/common/output_file.h"
#include "apps/common/platform.h"
#include "apps/common/plugin_path.h"
#include "apps/common/progress.h"
#include "apps/run/demo.h"
#include "apps/run/pictures.h"
#include "apps/run/renderer.h"
#include "standin/core/script.h"
#include "standin/core/session.h"
#include "standin/core/words.h"
#include "standin/images/gif_writer.h"

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
    "  -p, --plugin PATH   display module to load (default: the " VELBRIK_PLUGIN_FILE
    " beside\n"
    "                      this program)\n"
    "      --png DIR       write a PNG of every repaint into DIR\n"
    "                      (displayK-NNNNNN.png: display K, its Nth repaint)\n"
    "      --gif FILE      write an animated GIF of the first display's repaints\n"
    "      --every N       keep only every Nth repaint of a display (default 1)\n"
    "      --fps N         the GIF's frames per second, 1 to 100 (default 25)\n"
    "      --zoom N        scale pictures N times, 1 to 16 (default 1)\n"
    "  -q, --quiet         draw every repaint as for pictures but write nothing:\n"
    "                      no trace, no files (with --stats, to measure speed)\n"
    "      --stats         at the end, print the repaints, repaints a second and\n"
    "                      the CPU time on standard error\n"
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

// Wall and CPU time since the run began, for --stats.
class RunClock {
 public:
  void Report(std::int64_t repaints) const {
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double cpu = static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC;
    std::fprintf(stderr, "velbrik-run: %lld repaints in %.3f s, %.0f a second; CPU %.3f s\n",
                 static_cast<long long>(repaints), wall, wall > 0 ? static_cast<double>(repaints) / wall : 0.0, cpu);
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::clock_t cpu_ = std::clock();
};

int BadUsage(const std::string &message) {
  std::fprintf(stderr, "velbrik-run: %s (see velbrik-run --help)\n", message.c_str());
  return 2;
}

constexpr apps::Option kTable[] = {
    {"script", 's', true}, {"trace", 't', true}, {"plugin", 'p', true}, {"demo", 0, false},    {"size", 0, true},
    {"png", 0, true},      {"gif", 0, true},     {"every", 0, true},    {"fps", 0, true},      {"zoom", 0, true},
    {"quiet", 'q', false}, {"stats", 0, false},  {"help", 'h', false},  {"version", 0, false},
};

}  // namespace

int main(int argc, char **argv) {
  std::string scriptPath, tracePath, pluginPath;
  bool demo = false;
  apps::DemoOptions demoOptions;
  apps::PictureOptions pictureOptions;
  std::set<std::string_view> given;
  const apps::CommandLine line = apps::ParseCommandLine(kTable, apps::ArgumentsOf(argc, argv));
  if (!line.error.empty()) return BadUsage(line.error);
  for (const apps::OptionUse &use : line.options) {
    const std::string_view name = use.option->name;
    const std::string value(use.value);
    given.insert(name);
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
  const bool quiet = given.contains("quiet"), stats = given.contains("stats");
  if (quiet && (pictures || !tracePath.empty()))
    return BadUsage("--quiet writes nothing: it goes without --trace, --png and --gif");
  if (given.contains("size") && !demo) return BadUsage("--size is the demo's; a script opens its displays itself");
  for (const char *option : {"every", "zoom"})
    if (given.contains(option) && !pictures)
      return BadUsage(std::string("--") + option + " is for pictures: add --png DIR or --gif FILE");
  if (given.contains("fps") && pictureOptions.gifPath.empty()) return BadUsage("--fps is the GIF's: add --gif FILE");
  if (std::string why; !pictureOptions.gifPath.empty() && !standin::GifWriter::Available(why))
    return BadUsage("--gif: " + why);
  if (!pictureOptions.gifPath.empty() &&
      (pictureOptions.gifPath.ends_with('/') || std::filesystem::is_directory(pictureOptions.gifPath)))
    return BadUsage("--gif takes a file name, and '" + pictureOptions.gifPath + "' is a folder");
  if (tracePath.empty() && !pictures && !quiet) tracePath.assign(1, '-');  // standard output
  if (pluginPath.empty()) pluginPath = apps::DefaultPlugin();

  std::string error;
  // A file that is no module is refused before any output is begun.
  if (!standin::Module::Loadable(apps::ModuleOpener(), pluginPath, error)) return Fail(error);
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
  if (pictures) {
    pictureOutput = apps::Pictures::Create(pictureOptions, error);
    if (!pictureOutput) return Fail(error);
  }
  std::unique_ptr<apps::Renderer> renderer;  // --quiet's: drawn, never written
  std::vector<std::unique_ptr<apps::DisplayPicture>> drawn;
  if (quiet) {
    renderer = apps::Renderer::Create(error);
    if (!renderer) return Fail(error);
  }
  const RunClock clock;
  std::int64_t repaints = 0;

  {
    const auto guard = apps::MakeCallGuard(apps::RemoveTemporaries);
    standin::Session session(trace.get(), apps::ModuleOpener());
    session.Guard(guard.get());
    if (pictureOutput) pictureOutput->Attach(session);
    if (renderer) {
      session.OnDisplayOpened([&](int, int width, int height, standin::Surface &surface) {
        std::string why;
        auto picture = renderer->Open(width, height, surface, why);
        if (picture) drawn.push_back(std::move(picture));
        return why;
      });
    }
    session.OnRepainted([&](int) {
      ++repaints;
      return std::string();
    });
    apps::Progress progress("velbrik-run", totalFrames);
    std::int64_t frames = 0;
    standin::ScriptError runError;
    bool ran;
    if (demo) {
      ran = session.Load(pluginPath, runError.message) &&
            apps::RunDemo(
                session, demoOptions, [&](std::int64_t n) { progress.Update(n); }, runError);
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
      if (runError.line > 0)
        ScriptFault(scriptName, runError);
      else
        Fail((demo ? std::string("demo") : pluginPath) + ": " + runError.message);
      if (pictureOutput && !pictureOutput->Commit(error)) return Fail(error);
      if (traceFile && !traceFile->Commit(error)) return Fail(error);
      if (traceFile && tracePath != "-")
        std::fprintf(stderr, "velbrik-run: the trace up to the crash is in %s\n", traceFile->Path().c_str());
      // What the module holds is past trusting after its crash: the outputs are
      // written, and nothing of it is torn down.
      std::fflush(nullptr);
      std::_Exit(3);
    }
    if (!ran) return runError.line == 0 ? Fail(runError.message) : ScriptFault(scriptName, runError);
    session.Unload();
  }
  if (pictureOutput && !pictureOutput->Commit(error)) return Fail(error);
  if (traceFile && !traceFile->Commit(error)) return Fail(error);
  if (stats) clock.Report(repaints);
  return 0;
}
