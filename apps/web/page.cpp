#include "apps/web/page.h"

namespace play::web {
namespace {

constexpr int kSide = 320;  // each display's width and height, as the desktop's default

}  // namespace

std::unique_ptr<Page> Page::Create(int displays, std::string &error) {
  auto font = standin::Font::LoadDefault(error);
  if (!font) return nullptr;
  auto cockpit = Cockpit::Create("Velbrik", displays, kSide, kSide, font, nullptr, nullptr, error);
  if (!cockpit) return nullptr;
  return std::unique_ptr<Page>(new Page(font, MakeLayout(displays, kSide, kSide), std::move(cockpit)));
}

Page::Page(std::shared_ptr<standin::Font> font, Layout layout, std::unique_ptr<Cockpit> cockpit)
    : font_(std::move(font)),
      layout_(std::move(layout)),
      cockpit_(std::move(cockpit)),
      fonts_{font_->Glyphs(kSmallFontSize), font_->Glyphs(PageFontSize(kSide))},
      rgba_(static_cast<std::size_t>(layout_.width) * static_cast<std::size_t>(layout_.height) * 4) {}

std::optional<Point> Page::PicturePoint() const {
  if (!inside_) return std::nullopt;
  const Point p{pointer_.x / scale_, pointer_.y / scale_};
  if (p.x < 0 || p.y < 0 || p.x >= layout_.width || p.y >= layout_.height) return std::nullopt;
  return p;
}

const std::uint8_t *Page::Tick() {
  const auto point = PicturePoint();
  const std::optional<int> over = point ? layout_.PanelAt(*point) : std::nullopt;
  for (int d = 0; d < cockpit_->Displays(); ++d) {
    const Point p = share_.ForRepaint(d, pointer_, over);
    cockpit_->SetCursor(POINT{p.x, p.y});
    cockpit_->Repaint(d);
  }
  const standin::Image picture = Compose(layout_, *cockpit_, fonts_, "", Shell::Page);
  std::uint8_t *out = rgba_.data();
  for (const std::uint32_t pixel : picture.pixels) {
    *out++ = static_cast<std::uint8_t>(pixel >> 16);
    *out++ = static_cast<std::uint8_t>(pixel >> 8);
    *out++ = static_cast<std::uint8_t>(pixel);
    *out++ = 0xFF;
  }
  return rgba_.data();
}

void Page::Pointer(int x, int y, int scale, bool inside) {
  pointer_ = {x, y};
  scale_ = scale < 1 ? 1 : scale;
  inside_ = inside;
}

bool Page::Button(bool down) {
  if (!down) {
    cockpit_->Release();
    return false;
  }
  const auto point = PicturePoint();
  const auto control = point ? layout_.HitTest(*point) : std::nullopt;
  if (control) cockpit_->Press(*control);
  return control.has_value();
}

KeyEffect Page::KeyDown(std::string_view code) {
  const KeyRoute route = shift_.Down(ScanCode(code), cockpit_->Displays());
  switch (route.kind) {
    case KeyRoute::Kind::Ignore: return KeyEffect::Ignored;
    case KeyRoute::Kind::Display: cockpit_->At(route.display).Key(route.code); return KeyEffect::Used;
    case KeyRoute::Kind::Cockpit: break;
  }
  switch (route.action) {
    case CockpitKey::Help: cockpit_->ToggleHelp(); break;
    case CockpitKey::Pause:
      cockpit_->TogglePause();
      focusPaused_ = false;
      break;
    case CockpitKey::Step: cockpit_->Step(); break;
    case CockpitKey::Fullscreen: return KeyEffect::Ignored;  // the browser's own F11
    case CockpitKey::Reload: return KeyEffect::Ignored;      // the module is part of the page
    case CockpitKey::Screenshot: return KeyEffect::Screenshot;
    case CockpitKey::Quit: return KeyEffect::ReleasePointer;  // a page is left, not quit
  }
  return KeyEffect::Used;
}

void Page::KeyUp(std::string_view code) { shift_.Up(ScanCode(code)); }

void Page::Focus(bool focused) {
  if (!focused) {
    shift_.Forget();
    cockpit_->Release();
    if (!cockpit_->Paused()) {
      cockpit_->TogglePause();
      focusPaused_ = true;
    }
  } else if (focusPaused_) {
    focusPaused_ = false;
    if (cockpit_->Paused()) cockpit_->TogglePause();
  }
}

}  // namespace play::web
