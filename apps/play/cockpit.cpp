#include "apps/play/cockpit.h"

#include <utility>

#include "apps/common/platform.h"

namespace play {

Cockpit::Cockpit(standin::TraceSink *log) : session_(log, apps::ModuleOpener()) {}

std::unique_ptr<Cockpit> Cockpit::Create(const std::string &plugin, int displays, int width, int height,
                                         std::shared_ptr<standin::Font> font, standin::TraceSink *log,
                                         standin::TraceSink *record, std::string &error) {
  std::unique_ptr<Cockpit> cockpit(new Cockpit(log));
  for (int d = 0; d < displays; ++d) {
    auto display = Display::Create(d, width, height, font, cockpit->session_, error);
    if (!display) return nullptr;
    cockpit->displays_.push_back(std::move(display));
  }
  cockpit->session_.Record(record);
  cockpit->plugin_ = plugin;
  if (!cockpit->session_.Load(plugin, error)) return nullptr;
  return cockpit;
}

bool Cockpit::Reload(std::string &error) {
  if (session_.Crashed()) {
    error = "the module crashed: nothing more is asked of it";
    return false;
  }
  std::vector<std::pair<std::string, Page>> shown;
  for (const auto &display : displays_) {
    const standin::Mode *mode = display->ActiveMode();
    shown.emplace_back(mode ? mode->name : std::string(), display->Shown());
  }
  held_.reset();
  session_.Record(nullptr);
  session_.Unload();
  for (auto &display : displays_) display->Forget();
  if (!session_.Load(plugin_, error)) return false;
  for (std::size_t d = 0; d < displays_.size(); ++d)
    if (!shown[d].first.empty()) displays_[d]->Reopen(shown[d].first, shown[d].second);
  return true;
}

Cockpit::~Cockpit() { Shutdown(); }

void Cockpit::Shutdown() {
  if (!session_.Loaded()) return;
  held_.reset();
  session_.Unload();
  for (auto &display : displays_) display->Forget();
  session_.Record(nullptr);
}

void Cockpit::Press(Control control) {
  if (control.display < 0 || control.display >= Displays()) return;
  held_ = control;
  Display &display = At(control.display);
  if (control.kind == Control::Kind::Side) {
    display.PressButton(control.index);
    return;
  }
  switch (static_cast<HostButton>(control.index)) {
    case HostButton::Power: display.Power(); break;
    case HostButton::Select: display.Select(); break;
    case HostButton::Menu: display.Menu(); break;
  }
}

void Cockpit::Release() {
  if (!held_) return;
  if (held_->kind == Control::Kind::Side) At(held_->display).ReleaseButton(held_->index);
  held_.reset();
}

void Cockpit::SetCursor(POINT position) {
  if (cursor_ && cursor_->x == position.x && cursor_->y == position.y) return;
  cursor_ = position;
  session_.SetCursor(position);
}

void Cockpit::Repaint(int display) {
  if (help_ || (paused_ && steps_ == 0)) return;
  if (paused_) --steps_;
  At(display).Repaint();
}

}  // namespace play
