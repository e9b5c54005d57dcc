// The stand-in host as a cockpit: the host core running the display module,
// the displays side by side, and the cockpit's own state (paused, help shown,
// a button held). Destruction unloads the module, deleting every display's
// mode object first.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/play/display.h"
#include "apps/play/layout.h"
#include "standin/core/session.h"
#include "standin/core/trace.h"
#include "standin/raster/font.h"

namespace play {

class Cockpit {
 public:
  // Loads the module at `plugin` and sets up `displays` displays of `width` ×
  // `height`; null with `error` when the module cannot be loaded. The call
  // trace goes to `log` and the operations as a session script to `record`,
  // each if set, until Shutdown.
  static std::unique_ptr<Cockpit> Create(const std::string &plugin, int displays, int width, int height,
                                         std::shared_ptr<standin::Font> font, standin::TraceSink *log,
                                         standin::TraceSink *record, std::string &error);
  ~Cockpit();  // Shutdown
  Cockpit(const Cockpit &) = delete;
  Cockpit &operator=(const Cockpit &) = delete;

  int Displays() const { return static_cast<int>(displays_.size()); }
  Display &At(int display) { return *displays_.at(display); }
  const Display &At(int display) const { return *displays_.at(display); }

  // A control pressed (it stays held until Release) and let go.
  void Press(Control control);
  void Release();
  std::optional<Control> Held() const { return held_; }

  // Repaints display `display`, unless paused or showing help.
  void Repaint(int display);
  // Calls into the module go through `guard` (not owned), from now on.
  void Guard(standin::CallGuard *guard) { session_.Guard(guard); }
  // After the module crashed: what happened; nothing more runs in it.
  bool Crashed() const { return session_.Crashed(); }
  const std::string &Crash() const { return session_.Crash(); }

  // The cursor the host reports from now on; the trace hears of changes only.
  void SetCursor(POINT position);
  void TogglePause() { paused_ = !paused_; }
  void Pause() { paused_ = true; }
  // While paused: every display repaints once more.
  void Step() {
    if (paused_) steps_ = Displays();
  }
  bool Paused() const { return paused_; }
  void ToggleHelp() { help_ = !help_; }
  bool Help() const { return help_; }

  // Deletes every display's mode object, in the order they were opened, then
  // unloads the module (which unregisters its mode). Once only.
  void Shutdown();
  // F5: the module unloaded and loaded again from its file (a rebuilt one),
  // every display reopened in the mode it showed. The record, which cannot
  // say so, ends here. False with `error` when the module cannot be loaded:
  // the displays then show their selection pages, with nothing to choose.
  bool Reload(std::string &error);

 private:
  explicit Cockpit(standin::TraceSink *log);

  standin::Session session_;
  std::string plugin_;
  std::optional<POINT> cursor_;
  std::vector<std::unique_ptr<Display>> displays_;
  std::optional<Control> held_;
  bool paused_ = false;
  int steps_ = 0;  // repaints still due while paused
  bool help_ = false;
};

}  // namespace play
