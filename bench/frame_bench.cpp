// How long a frame takes: the game alone, with the call trace formatted, and
// rendered by the pixel surface, on a few display widths.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/BrickMFD.h"
#include "standin/core/host.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace {

class NullTrace : public standin::TraceSink {
 public:
  void Write(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
};

// A game in flight: released and played for a while, then frames measured.
std::unique_ptr<BrickMFD> GameInFlight(int width, int height, standin::Surface &surface) {
  standin::Host::Instance().Reset();
  lastCursorX = 0;
  printLine = -1;
  auto game = std::make_unique<BrickMFD>(width, height, standin::Host::Instance().Vessel());
  game->Repaint(surface.Handle());
  game->ConsumeKeyBuffered(OAPI_KEY_R);
  return game;
}

void KeepPlaying(BrickMFD &game) {
  // Keep the paddle under the ball and start over when the game ends.
  game.paddleX = static_cast<int>(game.ballX) - game.paddleWidth / 2;
  if (game.gameOver || game.levelClear == 1) game.NewGame();
  if (!game.ballReleased) game.ConsumeKeyBuffered(OAPI_KEY_R);
}

void BM_FrameWithoutDrawing(benchmark::State &state) {
  standin::Surface surface;
  auto game = GameInFlight(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4, surface);
  for (auto _ : state) {
    game->Repaint(nullptr);
    KeepPlaying(*game);
  }
}

void BM_FrameRecorded(benchmark::State &state) {
  NullTrace trace;
  standin::Recorder recorder(trace);
  standin::Surface surface;
  surface.Attach(recorder);
  auto game = GameInFlight(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4, surface);
  for (auto _ : state) {
    game->Repaint(surface.Handle());
    KeepPlaying(*game);
  }
}

void BM_FrameRendered(benchmark::State &state) {
  std::string error;
  auto font = standin::Font::LoadDefault(error);
  const int width = static_cast<int>(state.range(0)), height = width * 3 / 4;
  auto raster = standin::Raster::Create(width, height, font, error);
  if (!raster) {
    state.SkipWithError(error.c_str());
    return;
  }
  standin::Surface surface;
  surface.Attach(*raster);
  auto game = GameInFlight(width, height, surface);
  for (auto _ : state) {
    surface.BeginFrame();
    game->Repaint(surface.Handle());
    KeepPlaying(*game);
  }
}

BENCHMARK(BM_FrameWithoutDrawing)->Arg(320)->Arg(1024);
BENCHMARK(BM_FrameRecorded)->Arg(320)->Arg(1024);
BENCHMARK(BM_FrameRendered)->Arg(320)->Arg(1024);

}  // namespace

BENCHMARK_MAIN();
