// velbrik-play: the stand-in host as a desktop program. Loads a display module
// and shows one or two cockpit displays in a window, repainted at a fixed
// rate, with the mouse, Shift+keys and button clicks going to the module as
// the host sends them; an event script can drive it instead, frame by frame.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "apps/common/options.h"
#include "apps/common/output_file.h"
#include "apps/common/plugin_path.h"
#include "apps/play/cockpit.h"
#include "apps/play/event_script.h"
#include "apps/play/layout.h"
#include "apps/play/options.h"
#include "apps/play/picture.h"
#include "apps/play/sdl/player.h"
#include "apps/play/sdl/window.h"
#include "standin/core/trace.h"
#include "standin/posix/crash_guard.h"
#include "standin/raster/font.h"

namespace {

int Fail(const std::string &message, int status) {
  std::fprintf(stderr, "velbrik-play: %s\n", message.c_str());
  return status;
}

int BadUsage(const std::string &message) {
  std::fprintf(stderr, "velbrik-play: %s\nTry 'velbrik-play --help' for more information.\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  using namespace play;
  const ParsedOptions parsed = ParseOptions(apps::ArgumentsOf(argc, argv));
  if (!parsed.error.empty()) return BadUsage(parsed.error);
  if (parsed.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (parsed.version) {
    std::puts("velbrik-play " VELBRIK_VERSION);
    return 0;
  }
  const Options &options = parsed.options;

  std::string error;
  std::vector<ScriptEvent> events;
  if (!options.script.empty()) {
    std::string text;
    if (!apps::ReadFile(options.script, text, error)) return Fail(error, 2);
    ScriptFault fault;
    if (!ParseEventScript(text, events, fault) || !CheckDisplays(events, options.displays, fault)) {
      const std::string name = options.script == "-" ? "<stdin>" : options.script;
      std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), fault.line, fault.message.c_str());
      return 2;
    }
  }
  auto font = standin::Font::LoadDefault(error);
  if (!font) return Fail(error, 2);
  const Layout layout = MakeLayout(options.displays, options.width, options.height);

  const auto video = Video::Start(error);
  if (!video) return Fail("no graphical display (SDL: " + error + "); for headless use try velbrik-run", 1);
  const auto window = Window::Open("Velbrik cockpit", layout.width, layout.height, options.zoom, error);
  if (!window) return Fail("cannot open a window (SDL: " + error + ")", 1);

  std::unique_ptr<apps::OutputFile> logFile, recordFile;
  std::unique_ptr<standin::StreamTrace> log, record;
  if (!options.log.empty()) {
    // Written as it goes, a frame at a time, so that it can be followed.
    logFile = apps::OutputFile::Open(options.log, error, apps::OutputFile::Writing::AsItGoes);
    if (!logFile) return Fail(error, 1);
    log = std::make_unique<standin::StreamTrace>(logFile->Stream());
  }
  if (!options.record.empty()) {
    recordFile = apps::OutputFile::Open(options.record, error);
    if (!recordFile) return Fail(error, 1);
    record = std::make_unique<standin::StreamTrace>(recordFile->Stream());
  }
  const std::string plugin = options.plugin.empty() ? apps::DefaultPlugin() : options.plugin;
  auto cockpit =
      Cockpit::Create(plugin, options.displays, options.width, options.height, font, log.get(), record.get(), error);
  if (!cockpit) return Fail(error, 2);
  standin::posix::CrashGuard guard(apps::RemoveTemporaries);
  cockpit->Guard(&guard);

  const Fonts fonts{font->Glyphs(kSmallFontSize), font->Glyphs(PageFontSize(options.height))};
  Player player(options, std::move(events), *cockpit, *window, layout, fonts);
  if (logFile) player.FlushEachFrame(logFile->Stream());
  const int status = player.Run();
  cockpit.reset();  // every display's mode object deleted, then the module unloaded
  if (logFile && !logFile->Commit(error)) return Fail(error, 1);
  if (recordFile && !recordFile->Commit(error)) return Fail(error, 1);
  if (status == 3 && logFile)
    std::fprintf(stderr, "velbrik-play: the log up to the crash is in %s\n", logFile->Path().c_str());
  return status;
}
