#include "apps/play/sdl/player.h"

#include <cstdio>
#include <filesystem>
#include <thread>

#include "apps/common/output_file.h"
#include "standin/core/host.h"
#include "standin/images/png_writer.h"

namespace play {
namespace {

// Writes `picture` to `path` as a PNG, whole or not at all.
bool SavePng(const std::string &path, const standin::Image &picture, std::string &error) {
  auto file = apps::OutputFile::Open(path, error);
  if (!file) return false;
  if (!standin::WritePng(file->Stream(), picture, error)) {
    error = path + ": " + error;
    return false;
  }
  return file->Commit(error);
}

// velbrik-play-N.png for the first N that is not taken.
std::string FreeScreenshotName() {
  for (int n = 1;; ++n) {
    std::string name = "velbrik-play-" + std::to_string(n) + ".png";
    if (!std::filesystem::exists(name)) return name;
  }
}

}  // namespace

int Player::Run() {
  const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options_.refresh));
  auto tick = Clock::now();
  while (true) {
    Tick(tick, period);
    if (quit_) return status_;
    ++frame_;
    tick += period;
    const auto now = Clock::now();
    if (now > tick + 4 * period) tick = now;  // fell far behind: no burst to catch up
    std::this_thread::sleep_until(tick);
  }
}

// Input first: the window's, then the script's for this frame. Then each
// display is repainted in turn at its own share of the interval, as the host
// staggers them, with the cursor read just before. Then the picture.
void Player::Tick(Clock::time_point start, Clock::duration period) {
  for (SDL_Event event; SDL_PollEvent(&event);) Handle(event);
  // A scripted screenshot shows the frame as the events before it leave it:
  // those listed after it in the same frame wait for the next tick.
  while (next_ < events_.size() && events_[next_].frame <= frame_) {
    const bool shot = std::holds_alternative<Screenshot>(events_[next_].action);
    Apply(events_[next_++]);
    if (shot) break;
  }
  for (int d = 0; d < cockpit_.Displays(); ++d) {
    if (d > 0) std::this_thread::sleep_until(start + period * d / cockpit_.Displays());
    UpdateCursor(d);
    cockpit_.Repaint(d);
  }

  if (flush_) std::fflush(flush_);
  if (cockpit_.Crashed()) {
    std::fprintf(stderr, "velbrik-play: %s\n", cockpit_.Crash().c_str());
    status_ = 3;
    quit_ = true;
    return;
  }
  if (!shots_.empty()) {
    // Without a note of an earlier screenshot on it.
    const standin::Image clean = Compose(layout_, cockpit_, fonts_, "");
    for (const Shot &shot : shots_) Save(shot, clean);
    shots_.clear();
  }
  Compose(picture_, layout_, cockpit_, fonts_, frame_ < messageUntil_ ? message_ : "");
  std::string error;
  if (!window_.Present(picture_, error)) {
    std::fprintf(stderr, "velbrik-play: %s\n", error.c_str());
    status_ = 1;
    quit_ = true;
  }
}

// The host reports the desktop cursor, or the script's once it has set one;
// the pointer's travel goes to the display under it.
void Player::UpdateCursor(int display) {
  SDL_PumpEvents();
  SDL_Event motion[64];
  int count;
  while ((count = SDL_PeepEvents(motion, 64, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION)) > 0)
    for (int i = 0; i < count; ++i) cursor_.OverWindow(window_.DesktopPoint(motion[i].motion.x, motion[i].motion.y));
  Point global;
  SDL_GetGlobalMouseState(&global.x, &global.y);
  cursor_.Global(global);
  Point p = scriptedCursor_ ? *scriptedCursor_ : cursor_.Position();
  if (!scriptedCursor_) {
    // While paused, help shown or the window without focus, the pointer's
    // travel reaches no display: nothing jumps on resuming.
    const auto point = window_.PictureAtDesktop(p);
    const bool frozen = cockpit_.Paused() || cockpit_.Help();
    p = share_.ForRepaint(display, p, point && !frozen ? layout_.PanelAt(*point) : std::nullopt);
  }
  cockpit_.SetCursor(POINT{p.x, p.y});
}

void Player::Handle(const SDL_Event &event) {
  switch (event.type) {
    case SDL_QUIT: quit_ = true; break;
    case SDL_KEYDOWN: {
      if (event.key.repeat) break;
      const SDL_Scancode key = event.key.keysym.scancode;
      if (key == SDL_SCANCODE_LSHIFT || key == SDL_SCANCODE_RSHIFT) lastShift_ = key;
      bool left = (event.key.keysym.mod & KMOD_LSHIFT) != 0, right = (event.key.keysym.mod & KMOD_RSHIFT) != 0;
      // With both held, the Shift pressed last picks the display.
      if (left && right) (lastShift_ == SDL_SCANCODE_RSHIFT ? left : right) = false;
      Route(RouteKey(ScanCode(key), left, right, cockpit_.Displays()));
      break;
    }
    case SDL_MOUSEMOTION:
      // The event loop takes every event off the queue: the pointer's travel
      // must be taken here, or it is lost for the displays repainted first.
      cursor_.OverWindow(window_.DesktopPoint(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button != SDL_BUTTON_LEFT) break;
      if (const auto point = window_.PictureAt(event.button.x, event.button.y)) ClickDown(*point);
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        window_.Invalidate();
      // Whoever leaves the window is no longer playing.
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        cockpit_.Pause();
        window_.Capture(false);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) cockpit_.Release();
      break;
    default: break;
  }
}

void Player::ClickDown(Point point) {
  if (const auto control = layout_.HitTest(point)) {
    cockpit_.Press(*control);
  } else if (layout_.PanelAt(point) && !cockpit_.Paused() && !scriptedCursor_) {
    window_.Capture(true);  // a click on a display plays it: the pointer stays in the window
  }
}

void Player::Route(const KeyRoute &route) {
  switch (route.kind) {
    case KeyRoute::Kind::Ignore: return;
    case KeyRoute::Kind::Display: cockpit_.At(route.display).Key(route.code); return;
    case KeyRoute::Kind::Cockpit: break;
  }
  switch (route.action) {
    case CockpitKey::Help: cockpit_.ToggleHelp(); break;
    case CockpitKey::Pause:
      cockpit_.TogglePause();
      if (cockpit_.Paused()) window_.Capture(false);
      break;
    case CockpitKey::Step: cockpit_.Step(); break;
    case CockpitKey::Fullscreen: window_.ToggleFullscreen(); break;
    case CockpitKey::Reload: {
      std::string error;
      if (cockpit_.Reload(error)) {
        Note("module reloaded");
      } else {
        std::fprintf(stderr, "velbrik-play: reload: %s\n", error.c_str());
        Note("reload failed");
      }
      break;
    }
    case CockpitKey::Quit:
      // Esc lets a captured pointer go first; then it quits.
      if (window_.Captured())
        window_.Capture(false);
      else
        quit_ = true;
      break;
    case CockpitKey::Screenshot:
      shots_.push_back({options_.screenshot.empty() ? FreeScreenshotName() : options_.screenshot, false});
      break;
  }
}

void Player::Apply(const ScriptEvent &event) {
  const EventAction &action = event.action;
  if (const auto *key = std::get_if<KeyPress>(&action)) {
    Route(RouteKey(key->key, key->leftShift, key->rightShift, cockpit_.Displays()));
  } else if (const auto *click = std::get_if<Click>(&action)) {
    cockpit_.Press(click->control);
    cockpit_.Release();
  } else if (const auto *at = std::get_if<ClickAt>(&action)) {
    ClickDown(at->point);
    cockpit_.Release();
  } else if (const auto *mouse = std::get_if<MouseAt>(&action)) {
    scriptedCursor_ = mouse->point;
  } else if (const auto *shot = std::get_if<Screenshot>(&action)) {
    shots_.push_back({shot->path, true});
  } else if (std::holds_alternative<Quit>(action)) {
    quit_ = true;
  }
}

void Player::Save(const Shot &shot, const standin::Image &picture) {
  std::string error;
  if (SavePng(shot.path, picture, error)) {
    Note("saved " + shot.path);
    return;
  }
  std::fprintf(stderr, "velbrik-play: screenshot: %s\n", error.c_str());
  Note("screenshot failed");
  if (!shot.scripted) return;
  status_ = 1;
  quit_ = true;
}

// A note on the status line for about three seconds' worth of frames.
void Player::Note(std::string text) {
  message_ = std::move(text);
  messageUntil_ = frame_ + 1 + static_cast<std::int64_t>(3.0 / options_.refresh);
}

}  // namespace play
