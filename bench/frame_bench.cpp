// What a frame costs, against what its pixels cost: a memset of the display's
// pixels, measured in the same run, is the reference every frame is divided
// by in the closing table. Each frame starts from the same game state (a game
// caught at one moment and put back there), so the figures do not drift with
// the iteration count. Kinds of frame, on square displays of 320 to 4096:
//   memset        clearing the pixels, the reference
//   module        the game alone, drawing nothing (no surface)
//   surface       the game drawing on a surface with no target: the host's call path
//   recorder      the same, every call formatted as a trace line
//   raster        the same into the pixel surface: clear, module, pixels, text
//   replay        the raster frame's calls played straight into a raster: pixels alone
//   *-full        the same with the whole brick field standing
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/fixed_game.h"
#include "bench/ratio_table.h"
#include "bench/recorded_frame.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace {

using bench::FixedGame;
using bench::Moment;

class NullTrace : public standin::TraceSink {
 public:
  void Write(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
};

std::shared_ptr<standin::Font> SharedFont() {
  static std::string error;
  static const std::shared_ptr<standin::Font> font = standin::Font::LoadDefault(error);
  return font;
}

// A frame of `game` on `surface` (null: drawing nothing), from its fixed state.
// Kept a function of its own, so that a profiler can count what one frame costs
// (valgrind --tool=callgrind --toggle-collect='*::Frame(*').
[[gnu::noinline]] void Frame(FixedGame &game, standin::Surface *surface) {
  BrickMFD &mfd = game.Restore();
  if (!surface) {
    mfd.Repaint(nullptr);
    return;
  }
  surface->BeginFrame();
  mfd.Repaint(surface->Handle());
  surface->EndFrame();
}

void Memset(benchmark::State &state, int side) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * side, 1);
  for (auto _ : state) {
    std::memset(pixels.data(), 0, pixels.size() * sizeof pixels[0]);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}

void Module(benchmark::State &state, int side, Moment moment) {
  FixedGame game(side, side, moment);
  for (auto _ : state) Frame(game, nullptr);
}

void Bare(benchmark::State &state, int side, Moment moment) {
  FixedGame game(side, side, moment);
  standin::Surface surface;
  for (auto _ : state) Frame(game, &surface);
}

void Recorded(benchmark::State &state, int side, Moment moment) {
  FixedGame game(side, side, moment);
  NullTrace trace;
  standin::Recorder recorder(trace);
  standin::Surface surface;
  surface.Attach(recorder);
  for (auto _ : state) Frame(game, &surface);
}

std::unique_ptr<standin::Raster> MakeRaster(benchmark::State &state, int side) {
  std::string error = "no font";
  auto raster = SharedFont() ? standin::Raster::Create(side, side, SharedFont(), error) : nullptr;
  if (!raster) state.SkipWithError(error.c_str());
  return raster;
}

void Rendered(benchmark::State &state, int side, Moment moment) {
  FixedGame game(side, side, moment);
  auto raster = MakeRaster(state, side);
  if (!raster) return;
  standin::Surface surface;
  surface.Attach(*raster);
  for (auto _ : state) {
    Frame(game, &surface);
    benchmark::DoNotOptimize(raster->Frame().pixels.data());
  }
}

void Replayed(benchmark::State &state, int side, Moment moment) {
  FixedGame game(side, side, moment);
  auto raster = MakeRaster(state, side);
  if (!raster) return;
  bench::RecordedFrame calls;
  standin::Surface surface;
  surface.Attach(calls);
  Frame(game, &surface);
  for (auto _ : state) {
    calls.Replay(*raster);
    benchmark::DoNotOptimize(raster->Frame().pixels.data());
  }
  state.counters["calls"] = static_cast<double>(calls.Calls());
}

}  // namespace

int main(int argc, char **argv) {
  const std::vector<std::string> kinds = {"memset", "module", "surface",      "recorder",
                                          "raster", "replay", "surface-full", "raster-full"};
  for (const int side : {320, 1024, 2048, 4096}) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    auto add = [&](const std::string &kind, auto &&run) {
      benchmark::RegisterBenchmark((kind + "/" + size).c_str(), run)->Unit(benchmark::kMicrosecond);
    };
    add("memset", [side](benchmark::State &s) { Memset(s, side); });
    add("module", [side](benchmark::State &s) { Module(s, side, Moment::MidGame); });
    add("surface", [side](benchmark::State &s) { Bare(s, side, Moment::MidGame); });
    add("recorder", [side](benchmark::State &s) { Recorded(s, side, Moment::MidGame); });
    add("raster", [side](benchmark::State &s) { Rendered(s, side, Moment::MidGame); });
    add("replay", [side](benchmark::State &s) { Replayed(s, side, Moment::MidGame); });
    add("surface-full", [side](benchmark::State &s) { Bare(s, side, Moment::FieldFull); });
    add("raster-full", [side](benchmark::State &s) { Rendered(s, side, Moment::FieldFull); });
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RatioTable table(kinds, "memset");
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return 0;
}
