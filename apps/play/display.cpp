#include "apps/play/display.h"

#include <cstdio>

#include "apps/play/layout.h"

namespace play {

using standin::Host;

std::unique_ptr<Display> Display::Create(int number, int width, int height, std::shared_ptr<standin::Font> font,
                                         standin::Session &session, std::string &error) {
  auto raster = standin::Raster::Create(width, height, std::move(font), error);
  if (!raster) return nullptr;
  return std::unique_ptr<Display>(new Display(number, width, height, std::move(raster), session));
}

Display::Display(int number, int width, int height, std::unique_ptr<standin::Raster> raster, standin::Session &session)
    : number_(number), width_(width), height_(height), raster_(std::move(raster)), session_(session) {}

Display::~Display() { Close(); }

const standin::Mode *Display::ActiveMode() const { return Live() ? Host::Instance().FindMode(modeId_) : nullptr; }

void Display::Forget() {
  open_ = -1;
  modeId_ = 0;
  pressed_ = -1;
  labels_.clear();
  menu_.clear();
}

void Display::Reopen(const std::string &name, Page page) {
  for (const standin::Mode &mode : Host::Instance().Modes()) {
    if (mode.name != name) continue;
    lastModeId_ = mode.id;
    if (page == Page::Off) return;
    Choose(mode);
    page_ = page == Page::Select ? Page::Select : Page::Mode;
    return;
  }
}

void Display::Close() {
  if (page_ != Page::Off) page_ = Page::Select;
  if (Live() && session_.IsOpen(open_)) session_.Close(open_);
  Forget();
}

// Another mode's object goes; the same mode's live object is shown again.
void Display::Choose(const standin::Mode &mode) {
  if (Live() && modeId_ == mode.id) {
    page_ = Page::Mode;
    return;
  }
  Close();
  if (!mode.handler) return;
  std::string error;
  const auto opened = session_.Open(width_, height_, mode.id, error);
  if (!opened) {
    if (!error.empty()) std::fprintf(stderr, "velbrik-play: display %d: %s\n", number_, error.c_str());
    return;
  }
  open_ = *opened;
  modeId_ = lastModeId_ = mode.id;
  page_ = Page::Mode;
  // A fresh mode starts on a blank surface.
  standin::Surface &surface = *session_.SurfaceOf(open_);
  surface.Attach(*raster_);
  surface.Attach(sight_);
  raster_->BeginFrame();
  raster_->EndFrame();
  for (int bt = 0; bt < kSideButtons; ++bt) {
    const char *label = session_.Label(open_, bt);
    labels_.push_back(label ? label : "");
  }
}

void Display::Power() {
  if (page_ != Page::Off) {
    Close();
    page_ = Page::Off;
    return;
  }
  page_ = Page::Select;
  if (const standin::Mode *last = Host::Instance().FindMode(lastModeId_)) Choose(*last);
}

void Display::Select() {
  if (page_ == Page::Off) return;
  page_ = page_ == Page::Select && Live() ? Page::Mode : Page::Select;
}

void Display::Menu() {
  if (page_ == Page::Off || !Live()) return;
  if (page_ == Page::Menu) {
    page_ = Page::Mode;
    return;
  }
  page_ = Page::Menu;
  menu_.clear();
  const MFDBUTTONMENU *menu = nullptr;
  const int count = session_.Menu(open_, &menu);
  for (int i = 0; menu && i < count && i < kSideButtons; ++i)
    menu_.push_back({menu[i].line1 ? menu[i].line1 : "", menu[i].line2 ? menu[i].line2 : "", menu[i].selchar});
}

void Display::PressButton(int bt) {
  switch (page_) {
    case Page::Off: return;
    case Page::Select: {
      const auto &modes = Host::Instance().Modes();
      if (bt >= 0 && bt < static_cast<int>(modes.size())) Choose(modes[bt]);
      return;
    }
    case Page::Menu: page_ = Page::Mode; [[fallthrough]];
    case Page::Mode:
      if (!Live()) return;
      session_.Button(open_, bt, kButtonPress);
      pressed_ = bt;
      return;
  }
}

void Display::ReleaseButton(int bt) {
  if (pressed_ != bt || page_ != Page::Mode || !Live()) return;
  pressed_ = -1;
  session_.Button(open_, bt, kButtonRelease);
}

void Display::Key(unsigned code) {
  switch (page_) {
    case Page::Off: return;
    case Page::Select:
      for (const standin::Mode &mode : Host::Instance().Modes()) {
        if (mode.key != code) continue;
        Choose(mode);
        return;
      }
      return;
    case Page::Menu: page_ = Page::Mode; [[fallthrough]];
    case Page::Mode:
      if (Live()) session_.Key(open_, code);
      return;
  }
}

void Display::Repaint() {
  if (page_ != Page::Mode || !Live()) return;
  std::string error;
  session_.Repaint(open_, error);  // the cockpit sets no repaint hooks
}

std::string Display::Label(int bt) const {
  return bt >= 0 && bt < static_cast<int>(labels_.size()) ? labels_[bt] : std::string();
}

}  // namespace play
