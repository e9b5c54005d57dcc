#include "apps/play/display.h"

#include "apps/play/layout.h"
#include "standin/json.h"

namespace play {

using standin::Host;
using standin::Json;

std::unique_ptr<Display> Display::Create(int number, int width, int height, std::shared_ptr<standin::Font> font,
                                         standin::TraceSink *log, std::string &error) {
  auto raster = standin::Raster::Create(width, height, std::move(font), error);
  if (!raster) return nullptr;
  return std::unique_ptr<Display>(new Display(number, width, height, std::move(raster), log));
}

Display::Display(int number, int width, int height, std::unique_ptr<standin::Raster> raster, standin::TraceSink *log)
    : number_(number), width_(width), height_(height), raster_(std::move(raster)), log_(log) {
  surface_.Attach(*raster_);
}

Display::~Display() { Close(); }

void Display::Write(const std::string &line) const {
  if (log_) log_->Write(line);
}

const standin::Mode *Display::ActiveMode() const { return mfd_ ? Host::Instance().FindMode(modeId_) : nullptr; }

void Display::Close() {
  pressed_ = -1;
  if (page_ != Page::Off) page_ = Page::Select;
  if (!mfd_) return;
  Write(Json("@", "close", number_));
  delete mfd_;  // through the virtual destructor, as the host does
  mfd_ = nullptr;
  modeId_ = 0;
}

// Another mode's object goes; the same mode's live object is shown again.
void Display::Choose(const standin::Mode &mode) {
  if (mfd_ && modeId_ == mode.id) {
    page_ = Page::Mode;
    return;
  }
  Close();
  if (!mode.handler) return;
  Write(Json("@", "open", number_, width_, height_));
  const UINT sizeWord = static_cast<UINT>(width_) | static_cast<UINT>(height_) << 16;
  const std::intptr_t made =
      mode.handler(1, static_cast<UINT>(number_), sizeWord, reinterpret_cast<std::intptr_t>(Host::Instance().Vessel()));
  if (made == 0) {
    Write(Json("=", nullptr));
    return;
  }
  Write(Json("=", number_));
  mfd_ = reinterpret_cast<MFD *>(made);
  modeId_ = lastModeId_ = mode.id;
  page_ = Page::Mode;
  // A fresh mode starts on a blank surface.
  surface_.BeginFrame();
  surface_.EndFrame();
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
  page_ = page_ == Page::Select && mfd_ ? Page::Mode : Page::Select;
}

void Display::Menu() {
  if (page_ == Page::Off || !mfd_) return;
  page_ = page_ == Page::Menu ? Page::Mode : Page::Menu;
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
    case Page::Mode: {
      if (!mfd_) return;
      Write(Json("@", "button", number_, bt, kButtonPress));
      Write(Json("=", mfd_->ConsumeButton(bt, kButtonPress)));
      pressed_ = bt;
      return;
    }
  }
}

void Display::ReleaseButton(int bt) {
  if (pressed_ != bt || page_ != Page::Mode || !mfd_) return;
  pressed_ = -1;
  Write(Json("@", "button", number_, bt, kButtonRelease));
  Write(Json("=", mfd_->ConsumeButton(bt, kButtonRelease)));
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
      if (!mfd_) return;
      Write(Json("@", "key", number_, code));
      Write(Json("=", mfd_->ConsumeKeyBuffered(code)));
      return;
  }
}

void Display::Repaint() {
  if (page_ != Page::Mode || !mfd_) return;
  Write(Json("@", "repaint", number_));
  surface_.BeginFrame();
  mfd_->Repaint(surface_.Handle());
  surface_.EndFrame();
}

std::string Display::Label(int bt) const {
  if (!mfd_) return {};
  const char *label = mfd_->ButtonLabel(bt);
  return label ? label : "";
}

std::vector<MenuEntry> Display::MenuEntries() const {
  std::vector<MenuEntry> entries;
  if (!mfd_) return entries;
  const MFDBUTTONMENU *menu = nullptr;
  const int count = mfd_->ButtonMenu(&menu);
  for (int i = 0; menu && i < count && i < kSideButtons; ++i)
    entries.push_back({menu[i].line1 ? menu[i].line1 : "", menu[i].line2 ? menu[i].line2 : "", menu[i].selchar});
  return entries;
}

}  // namespace play
