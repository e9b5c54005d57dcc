// velbrik-soak: long games on several display sizes, played by the autopilot
// from what the display draws, with the game's invariants checked every frame:
//   - the score shown equals the brick hits seen (each hit draws the field again);
//   - a launched ball keeps its speed, sqrt(1.25) x scale a sub-step, until lost;
//   - a brick once gone from the field is never drawn again until a new game;
//   - the pixel surface keeps to its picture, and memory stays flat.
// Usage: velbrik-soak [--frames N]   (default 1000000, over all sizes)
#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "apps/autopilot/autopilot.h"
#include "game/BrickMFD.h"
#include "standin/core/host.h"
#include "standin/core/surface.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace {

// Watches the field and the status line as a player sees them.
class FieldWatch : public standin::DrawTarget {
 public:
  void BeginFrame() override {
    fieldPens = 0;
    bricks.clear();
    score = -1;
  }
  void SelectPen(unsigned long index) override {
    pen = index;
    if (index == 2 || index == 3) ++fieldPens;
  }
  void SetTextColour(COLORREF) override {}
  void TextOut(int x, int y, std::string_view text, int) override {
    if (x == 90 && y == 0) score = std::atoi(std::string(text).c_str());
  }
  void MoveTo(int x, int y) override { from = {x, y}; }
  void LineTo(int x, int) override {
    if (pen == 2 || pen == 3) bricks.insert({from.first, from.second, x});
  }
  void Ellipse(int, int, int, int) override {}
  void SetPixel(int, int, COLORREF) override {}

  unsigned long pen = 0;
  int fieldPens = 0;
  int score = -1;
  std::pair<int, int> from;
  std::set<std::tuple<int, int, int>> bricks;  // every brick row line drawn: x, y, end
};

#if defined(__SANITIZE_ADDRESS__)
#define VELBRIK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELBRIK_ASAN 1
#endif
#endif

// Bytes the heap holds in use. Under AddressSanitizer freed memory is held in
// quarantine and the heap is its own: there, LeakSanitizer does this check.
long HeapKilobytes() {
#ifdef VELBRIK_ASAN
  return 0;
#else
  return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

struct Totals {
  long long frames = 0, games = 0, cleared = 0, hits = 0, checks = 0;
};

int failures = 0;
void Fail(const char *what, int width, int height, long long frame) {
  if (++failures <= 20) std::fprintf(stderr, "velbrik-soak: %dx%d frame %lld: %s\n", width, height, frame, what);
}

void Soak(int width, int height, long long frames, const std::shared_ptr<standin::Font> &font, Totals &totals) {
  standin::Host &host = standin::Host::Instance();
  host.Reset();
  lastCursorX = 0;
  printLine = -1;
  std::string error;
  auto raster = standin::Raster::Create(width, height, font, error);
  if (!raster) {
    std::fprintf(stderr, "velbrik-soak: %s\n", error.c_str());
    std::exit(2);
  }
  standin::Surface surface;
  standin::Sight sight;
  FieldWatch watch;
  surface.Attach(*raster);
  surface.Attach(sight);
  surface.Attach(watch);
  auto game = std::make_unique<BrickMFD>(width, height, host.Vessel());
  const double speed = std::sqrt(1.25) * game->Scale();

  standin::Autopilot pilot(width, 0);
  long long hitsSeen = 0;
  std::set<std::tuple<int, int, int>> gone, shown;
  bool newGame = true;
  for (long long frame = 0; frame < frames; ++frame) {
    surface.BeginFrame();
    game->Repaint(surface.Handle());
    surface.EndFrame();
    ++totals.frames;

    // The status line shows the score as the frame began; each hit then draws
    // the field once more than the frame's own drawing.
    if (watch.score >= 0 && watch.score != hitsSeen && !newGame)
      Fail("the score shown is not the hits seen", width, height, frame);
    if (watch.fieldPens % brickCount != 0) Fail("the field was drawn in part", width, height, frame);
    if (watch.fieldPens > 0) hitsSeen += watch.fieldPens / brickCount - 1;
    if (watch.fieldPens > 0) {
      if (newGame) {
        gone.clear();
        shown = watch.bricks;
      }
      for (const auto &line : watch.bricks)
        if (gone.count(line)) Fail("a brick that was gone is drawn again", width, height, frame);
      for (const auto &line : shown)
        if (!watch.bricks.count(line)) gone.insert(line);
      shown = watch.bricks;
      newGame = false;
    }
    if (game->ballReleased && !game->ballOnPaddle &&
        std::fabs(std::hypot(game->ballVX, game->ballVY) - speed) > 1e-9 * speed)
      Fail("the ball's speed changed", width, height, frame);
    if (raster->Frame().pixels.size() != static_cast<std::size_t>(width) * height)
      Fail("the picture changed size", width, height, frame);
    totals.checks += 5;

    if (pilot.Finished()) {
      ++totals.games;
      if (game->levelClear == 1) ++totals.cleared;
      totals.hits += hitsSeen;
      game->ConsumeKeyBuffered(OAPI_KEY_S);
      pilot = standin::Autopilot(width, host.Cursor()->x);
      hitsSeen = 0;
      newGame = true;
      continue;
    }
    for (const standin::Command &command : pilot.Next(sight.Seen(), 0)) {
      if (command.op == standin::Op::Cursor) {
        host.SetCursor(POINT{static_cast<LONG>(command.a), 0});
      } else if (command.op == standin::Op::Key) {
        // The release key runs a frame of its own, which may hit bricks too.
        watch.fieldPens = 0;
        game->ConsumeKeyBuffered(static_cast<unsigned long>(command.a));
        if (watch.fieldPens > 0) hitsSeen += watch.fieldPens / brickCount - 1;
      }
    }
  }
  totals.hits += hitsSeen;
}

}  // namespace

int main(int argc, char **argv) {
  const long long frames = argc == 1                                            ? 1000000
                           : argc == 3 && std::strcmp(argv[1], "--frames") == 0 ? std::atoll(argv[2])
                                                                                : 0;
  if (frames < 1) {
    std::fprintf(stderr, "Usage: velbrik-soak [--frames N], N above 0\n");
    return 2;
  }
  std::string error;
  auto font = standin::Font::LoadDefault(error);
  if (!font) {
    std::fprintf(stderr, "velbrik-soak: %s\n", error.c_str());
    return 2;
  }
  const std::pair<int, int> sizes[] = {{320, 240}, {200, 160}, {640, 480}, {256, 256}, {400, 300}, {1024, 768}};
  Totals totals;
  long baseline = 0;
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    Soak(sizes[i].first, sizes[i].second, frames / static_cast<long long>(std::size(sizes)), font, totals);
    if (i == 0) baseline = HeapKilobytes();
  }
  const long grown = HeapKilobytes() - baseline;
  // Each size's game and picture are gone by now; the font keeps its glyphs
  // for every text size used, which is all that may stay.
  if (grown > 4 * 1024) {
    std::fprintf(stderr, "velbrik-soak: memory grew by %ld KiB\n", grown);
    ++failures;
  }
  std::printf(
      "velbrik-soak: %lld frames, %lld games (%lld cleared), %lld brick hits, %lld invariant checks; "
      "heap in use grew %ld KiB after the first size\n",
      totals.frames, totals.games, totals.cleared, totals.hits, totals.checks, grown);
  std::printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures == 0 ? 0 : 1);
  return failures == 0 ? 0 : 1;
}
