#include "apps/play/cockpit.h"

#include "standin/host.h"
#include "standin/json.h"

namespace play {

using standin::Host;
using standin::Json;

std::unique_ptr<Cockpit> Cockpit::Create(const std::string &plugin, int displays, int width, int height,
                                         std::shared_ptr<standin::Font> font, standin::TraceSink *log,
                                         std::string &error) {
  std::unique_ptr<Cockpit> cockpit(new Cockpit());
  for (int d = 0; d < displays; ++d) {
    auto display = Display::Create(d, width, height, font, log, error);
    if (!display) return nullptr;
    cockpit->displays_.push_back(std::move(display));
  }
  cockpit->log_ = log;
  Host::Instance().Reset();
  Host::Instance().SetLog(log);
  if (log) log->Write(Json("@", "load"));
  cockpit->plugin_ = standin::Plugin::Load(plugin, error);
  if (!cockpit->plugin_) {
    Host::Instance().SetLog(nullptr);
    return nullptr;
  }
  return cockpit;
}

Cockpit::~Cockpit() { Shutdown(); }

void Cockpit::Shutdown() {
  if (!plugin_) return;
  if (log_) log_->Write(Json("@", "unload"));
  held_.reset();
  for (auto &display : displays_) display->Close();
  plugin_.reset();
  Host::Instance().SetLog(nullptr);
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

void Cockpit::Repaint(int display) {
  if (!paused_) At(display).Repaint();
}

}  // namespace play
