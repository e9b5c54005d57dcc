// The stand-in host as a cockpit: the loaded display module, the displays side
// by side, and the cockpit's own state (paused, help shown, a button held).
// Destruction deletes every display's mode object, then unloads the module.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/play/display.h"
#include "apps/play/layout.h"
#include "standin/font.h"
#include "standin/plugin.h"
#include "standin/trace.h"

namespace play {

class Cockpit {
 public:
  // Loads the module at `plugin` and sets up `displays` displays of `width` ×
  // `height`; null with `error` when the module cannot be loaded. The host's
  // calls and the cockpit's commands go to `log`, if set, until Shutdown.
  static std::unique_ptr<Cockpit> Create(const std::string &plugin, int displays, int width, int height,
                                         std::shared_ptr<standin::Font> font, standin::TraceSink *log,
                                         std::string &error);
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

  // Repaints display `display`, unless paused.
  void Repaint(int display);
  void TogglePause() { paused_ = !paused_; }
  bool Paused() const { return paused_; }
  void ToggleHelp() { help_ = !help_; }
  bool Help() const { return help_; }

  // Deletes every display's mode object, left to right, then unloads the
  // module (which unregisters its mode). Once only; later calls do nothing.
  void Shutdown();

 private:
  Cockpit() = default;

  standin::TraceSink *log_ = nullptr;
  std::unique_ptr<standin::Plugin> plugin_;
  std::vector<std::unique_ptr<Display>> displays_;
  std::optional<Control> held_;
  bool paused_ = false;
  bool help_ = false;
};

}  // namespace play
