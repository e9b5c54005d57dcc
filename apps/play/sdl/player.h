// The run loop: one tick per refresh interval, in which the window's and the
// event script's input is applied, the displays are repainted in turn and the
// cockpit picture is composed, saved when asked and shown.
#pragma once

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "apps/play/cockpit.h"
#include "apps/play/cursor_share.h"
#include "apps/play/event_script.h"
#include "apps/play/keys.h"
#include "apps/play/layout.h"
#include "apps/play/options.h"
#include "apps/play/picture.h"
#include "apps/play/sdl/cursor.h"
#include "apps/play/sdl/keys.h"
#include "apps/play/sdl/window.h"

namespace play {

class Player {
 public:
  Player(const Options &options, std::vector<ScriptEvent> events, Cockpit &cockpit, Window &window,
         const Layout &layout, const Fonts &fonts)
      : options_(options),
        events_(std::move(events)),
        cockpit_(cockpit),
        window_(window),
        layout_(layout),
        fonts_(fonts),
        share_(options.mouseScale) {}

  // `stream` is flushed after every frame's repaints (the log, for tail -f).
  void FlushEachFrame(std::FILE *stream) { flush_ = stream; }

  // Runs until quit; the exit status: 0, or 1 when a scripted screenshot
  // could not be saved or the window could not be drawn.
  int Run();

 private:
  using Clock = std::chrono::steady_clock;

  struct Shot {
    std::string path;
    bool scripted;  // a failure ends a scripted run
  };

  void Tick(Clock::time_point start, Clock::duration period);
  void UpdateCursor(int display);
  void Handle(const SDL_Event &event);
  void ClickDown(Point point);
  void Route(const KeyRoute &route);
  void Apply(const ScriptEvent &event);
  void Save(const Shot &shot, const standin::Image &picture);
  void Note(std::string text);

  const Options &options_;
  std::vector<ScriptEvent> events_;
  Cockpit &cockpit_;
  Window &window_;
  standin::Image picture_;  // composed anew each tick into the same pixels
  const Layout &layout_;
  const Fonts &fonts_;
  std::int64_t frame_ = 0;
  std::size_t next_ = 0;  // the first script event not yet applied
  CursorTracker cursor_;
  CursorShare share_;
  std::optional<Point> scriptedCursor_;
  SDL_Scancode lastShift_ = SDL_SCANCODE_LSHIFT;
  std::vector<Shot> shots_;
  std::string message_;
  std::int64_t messageUntil_ = 0;
  std::FILE *flush_ = nullptr;
  bool quit_ = false;
  int status_ = 0;
};

}  // namespace play
