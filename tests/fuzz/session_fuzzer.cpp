// Arbitrary bytes, read as a session script, run through the runner's
// interpreter into the real module, with the recorder and the pixel surface
// both watching. Anything the interpreter accepts must run without a fault.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "apps/common/plugin_path.h"
#include "standin/core/script.h"
#include "standin/core/session.h"
#include "standin/posix/shared_library.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace {

// Work per input, in frames of a 320-pixel-wide display: a frame's drawing grows
// with the display's width (a 65535-wide one is some 200 of them), and the
// fuzzer must stay fast. Commands past the budget are dropped.
constexpr std::int64_t workBudget = 320;
// Pixel surfaces only for displays up to this many pixels; the recorder takes
// every size.
constexpr std::int64_t maxRasterPixels = 640 * 480;

// Counts trace lines, so the whole trace is formatted but not kept.
class CountingTrace : public standin::TraceSink {
 public:
  void Write(std::string_view line) override { bytes += line.size(); }
  std::size_t bytes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static const std::string plugin = apps::DefaultPlugin();
  static std::shared_ptr<standin::Font> font = [] {
    std::string error;
    auto loaded = standin::Font::LoadDefault(error);
    if (!loaded) std::abort();
    return loaded;
  }();

  std::vector<standin::Command> commands;
  standin::ScriptError error;
  if (!standin::ParseScript(std::string_view(reinterpret_cast<const char *>(data), size), commands, error)) return 0;
  // Follows which display is current, as the interpreter numbers them, to
  // weigh each frame by its display's width.
  std::vector<std::int64_t> widths;
  std::int64_t current = -1, work = 0;
  std::size_t kept = 0;
  for (standin::Command &command : commands) {
    const std::int64_t frame = current >= 0 ? 1 + widths[current] / 320 : 1;
    if (command.op == standin::Op::Open) {
      current = static_cast<std::int64_t>(widths.size());
      widths.push_back(command.a);
    } else if (command.op == standin::Op::Use) {
      current = command.a;
    } else if (command.op == standin::Op::Close) {
      current = -1;
    } else if (command.op == standin::Op::Repaint) {
      command.a = std::min(command.a, (workBudget - work) / frame);
      work += command.a * frame;
    } else if (command.op == standin::Op::Key || command.op == standin::Op::Button) {
      work += frame;  // the release key runs a frame
    }
    if (work > workBudget) break;
    ++kept;
  }
  commands.resize(kept);

  CountingTrace trace;
  std::vector<std::unique_ptr<standin::Raster>> rasters;
  standin::Session session(&trace, standin::posix::OpenSharedLibrary);
  session.OnDisplayOpened([&](int, int width, int height, standin::Surface &surface) {
    if (std::int64_t{width} * height <= maxRasterPixels) {
      std::string why;
      auto raster = standin::Raster::Create(width, height, font, why);
      if (!raster) return why;
      surface.Attach(*raster);
      rasters.push_back(std::move(raster));
    }
    return std::string();
  });
  standin::RunScript(session, plugin, commands, error);  // a refused command only ends the run
  return 0;
}
