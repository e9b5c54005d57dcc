#include "apps/play/picture.h"

#include <algorithm>
#include <string>

#include "apps/play/keys.h"
#include "apps/play/paint.h"
#include "standin/core/host.h"

namespace play {
namespace {

constexpr std::uint32_t kBackground = 0x16181A;
constexpr std::uint32_t kBezel = 0x3B3E42, kBezelLight = 0x565B61, kBezelDark = 0x222427;
constexpr std::uint32_t kRimDark = 0x0E0F10, kRimLight = 0x5E6268;
constexpr std::uint32_t kLabel = 0xE8E4CA, kEngraving = 0xA9AFB6, kHostLabel = 0xF4F4F4;
constexpr std::uint32_t kPageTitle = 0xFFFFFF, kPageEntry = 0x66DDFF, kPageLive = 0x66FF66, kPageHint = 0x8A9096;
constexpr std::uint32_t kAmber = 0xFFC828;
constexpr int kPad = 5;  // between the glass edge and page text

// `text` centred in `box` (horizontally and vertically), clipped to it.
void Centred(standin::Image &image, const standin::GlyphSet &glyphs, Rect box, std::string_view text,
             std::uint32_t colour) {
  const Point at{box.x + (box.w - TextWidth(glyphs, text)) / 2, box.y + (box.h - glyphs.lineHeight) / 2};
  Text(image, glyphs, at, text, colour, box);
}

// One line of page text beside side button `bt`: flush left on the left half,
// flush right on the right half, `line` rows below the button's own.
void BesideButton(standin::Image &image, const standin::GlyphSet &glyphs, const Panel &panel, int bt, int line,
                  std::string_view text, std::uint32_t colour) {
  const Rect label = panel.labels[bt];
  const int y = label.y + (label.h - glyphs.lineHeight) / 2 + line * glyphs.lineHeight;
  const int x = bt < 6 ? panel.glass.x + kPad : panel.glass.Right() - kPad - TextWidth(glyphs, text);
  Text(image, glyphs, {x, y}, text, colour, panel.glass);
}

void PageTitle(standin::Image &image, const standin::GlyphSet &glyphs, const Panel &panel, std::string_view text) {
  Centred(image, glyphs, {panel.glass.x, panel.glass.y + 2, panel.glass.w, glyphs.lineHeight}, text, kPageTitle);
}

void SelectPage(standin::Image &image, const Fonts &fonts, const Panel &panel, const Display &display) {
  PageTitle(image, fonts.page, panel, "MODE SELECT");
  const auto &modes = standin::Host::Instance().Modes();
  const standin::Mode *live = display.ActiveMode();
  for (int i = 0; i < static_cast<int>(modes.size()) && i < kSideButtons; ++i) {
    const std::string key = KeyName(modes[i].key);
    const std::string entry = i < 6 ? modes[i].name + (key.empty() ? "" : " [" + key + "]")
                                    : (key.empty() ? "" : "[" + key + "] ") + modes[i].name;
    BesideButton(image, fonts.page, panel, i, 0, entry, live && live->id == modes[i].id ? kPageLive : kPageEntry);
  }
  const std::string_view hint = modes.empty() ? "no mode registered" : "Shift+key or button";
  Centred(image, fonts.page,
          {panel.glass.x, panel.glass.Bottom() - fonts.page.lineHeight - 2, panel.glass.w, fonts.page.lineHeight}, hint,
          kPageHint);
}

void MenuPage(standin::Image &image, const Fonts &fonts, const Panel &panel, const Display &display) {
  const standin::Mode *live = display.ActiveMode();
  PageTitle(image, fonts.page, panel, (live ? live->name + " " : std::string()) + "MENU");
  const std::vector<MenuEntry> entries = display.MenuEntries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const MenuEntry &e = entries[i];
    const std::string key = e.shortcut ? std::string(1, e.shortcut) : " ";
    if (e.line1.empty() && e.line2.empty() && !e.shortcut) continue;
    BesideButton(image, fonts.page, panel, i, 0, i < 6 ? key + " " + e.line1 : e.line1 + " " + key, kPageEntry);
    if (!e.line2.empty())
      BesideButton(image, fonts.page, panel, i, 1, i < 6 ? "  " + e.line2 : e.line2 + "  ", kPageEntry);
  }
}

std::string_view PageName(const Display &display) {
  switch (display.Shown()) {
    case Page::Off: return "OFF";
    case Page::Select: return "MODE SELECT";
    case Page::Menu: return "MENU";
    case Page::Mode: break;
  }
  const standin::Mode *live = display.ActiveMode();
  return live ? std::string_view(live->name) : std::string_view();
}

void DrawPanel(standin::Image &image, const Fonts &fonts, const Panel &panel, const Cockpit &cockpit, int number) {
  const Display &display = cockpit.At(number);
  Fill(image, panel.bezel, kBezel);
  Bevel(image, panel.bezel, 2, kBezelLight, kBezelDark);

  // Title strip: which display, and what it shows.
  const std::string_view name = cockpit.Displays() == 1 ? "MFD" : number == 0 ? "LEFT MFD" : "RIGHT MFD";
  const int titleY = panel.title.y + (panel.title.h - fonts.small.lineHeight) / 2 + 1;
  Text(image, fonts.small, {panel.title.x, titleY}, name, kEngraving, panel.title);
  const std::string_view page = PageName(display);
  Text(image, fonts.small, {panel.title.Right() - TextWidth(fonts.small, page), titleY}, page, kEngraving, panel.title);
  if (display.GameEnded()) {
    const std::string_view hint = "Shift+S or NEW: a new game";
    Text(image, fonts.small, {panel.title.x + (panel.title.w - TextWidth(fonts.small, hint)) / 2, titleY}, hint, kAmber,
         panel.title);
  }

  // The glass, sunk into the bezel.
  Bevel(image, {panel.glass.x - 3, panel.glass.y - 3, panel.glass.w + 6, panel.glass.h + 6}, 3, kRimDark, kRimLight);
  // A display's own picture covers its glass.
  const bool covered = display.Shown() == Page::Mode && display.Frame().width >= panel.glass.w &&
                       display.Frame().height >= panel.glass.h;
  if (!covered) Fill(image, panel.glass, 0);
  switch (display.Shown()) {
    case Page::Off: break;
    case Page::Select: SelectPage(image, fonts, panel, display); break;
    case Page::Menu: MenuPage(image, fonts, panel, display); break;
    case Page::Mode: Blit(image, display.Frame(), {panel.glass.x, panel.glass.y}); break;
  }

  const std::optional<Control> held = cockpit.Held();
  for (int i = 0; i < kSideButtons; ++i) {
    const Control control{number, Control::Kind::Side, i};
    Button(image, panel.buttons[i], held == control, kBezel);
    if (display.Shown() == Page::Mode || display.Shown() == Page::Menu)
      Centred(image, fonts.small, panel.labels[i], display.Label(i), kLabel);
  }
  for (int i = 0; i < kHostButtons; ++i) {
    const Control control{number, Control::Kind::Host, i};
    const bool pressed = held == control;
    Button(image, panel.hostButtons[i], pressed, kBezel);
    Rect face = panel.hostButtons[i];
    if (pressed) face = {face.x + 1, face.y + 1, face.w, face.h};
    Centred(image, fonts.small, face, kHostButtonNames[i], kHostLabel);
  }
}

void StatusLine(standin::Image &image, const Fonts &fonts, const Layout &layout, const Cockpit &cockpit,
                std::string_view message, Shell shell) {
  const Rect bar = layout.statusBar;
  const int y = bar.y + (bar.h - fonts.small.lineHeight) / 2;
  // One line for each shell and number of displays.
  static constexpr std::string_view kKeys[2][2] = {
      {"F1 help  P pause  F12 screenshot  Esc quit",
       "F1 help  P pause  F12 screenshot  Esc quit  Left/Right Shift+key: left/right display"},
      {"F1 help  P pause  F12 screenshot  Esc free the mouse",
       "F1 help  P pause  F12 screenshot  Esc free the mouse  Left/Right Shift+key: left/right display"}};
  const std::string_view keys = kKeys[shell == Shell::Page][cockpit.Displays() != 1];
  const std::string_view right = cockpit.Paused() ? "PAUSED" : message;
  const int rightWidth = TextWidth(fonts.small, right);
  // The note on the right wins when both do not fit.
  if (TextWidth(fonts.small, keys) + rightWidth + 20 <= bar.w || right.empty())
    Text(image, fonts.small, {bar.x, y}, keys, kEngraving, bar);
  Text(image, fonts.small, {bar.Right() - rightWidth, y}, right, cockpit.Paused() ? kAmber : kLabel, bar);
}

void HelpOverlay(standin::Image &image, const Fonts &fonts, const Layout &layout, Shell shell) {
  const std::string_view lines[] = {
      "VELBRIK COCKPIT",
      "",
      "Shift + key     to a display: Left Shift the left one,",
      "                Right Shift the right one",
      "  Shift+N       choose Velbrik on the selection page",
      "  Shift+R       release the ball",
      "  Shift+S       start a new game",
      "Mouse           moves the paddle of the display under it",
      "Click           a display button presses it; a display",
      "                keeps the pointer in the window (Esc: free)",
      "PWR SEL MNU     power, mode selection, the mode's menu",
      "",
      "P  pause        .    one frame, while paused",
      "F1 this help    F11  full screen",
      shell == Shell::Page ? "F5 reloads the page: each display starts afresh"
                           : "F5 reload the module, rebuilt: the displays keep their modes",
      shell == Shell::Page ? "F12 screenshot  Esc  free the mouse" : "F12 screenshot  Esc  free the pointer, then quit",
      "Losing focus pauses; so does this help.",
  };
  Darken(image, {0, 0, layout.width, layout.height}, 60);
  const standin::GlyphSet &g = fonts.small;
  int width = 0;
  for (const std::string_view line : lines) width = std::max(width, TextWidth(g, line));
  const int count = static_cast<int>(std::size(lines));
  const Rect box{(layout.width - width) / 2 - 12, (layout.height - count * g.lineHeight) / 2 - 10, width + 24,
                 count * g.lineHeight + 20};
  Fill(image, box, 0x202326);
  Bevel(image, box, 1, kBezelLight, kBezelDark);
  for (int i = 0; i < count; ++i)
    Text(image, g, {box.x + 12, box.y + 10 + i * g.lineHeight}, lines[i], i == 0 ? kAmber : kLabel, box);
}

}  // namespace

int PageFontSize(int height) { return std::clamp(height / 24, 9, 16); }

standin::Image Compose(const Layout &layout, const Cockpit &cockpit, const Fonts &fonts, std::string_view message,
                       Shell shell) {
  standin::Image image;
  Compose(image, layout, cockpit, fonts, message, shell);
  return image;
}

void Compose(standin::Image &image, const Layout &layout, const Cockpit &cockpit, const Fonts &fonts,
             std::string_view message, Shell shell) {
  if (image.width == layout.width && image.height == layout.height)
    std::fill(image.pixels.begin(), image.pixels.end(), kBackground);
  else
    image = standin::Image(layout.width, layout.height, kBackground);
  for (int d = 0; d < static_cast<int>(layout.panels.size()) && d < cockpit.Displays(); ++d)
    DrawPanel(image, fonts, layout.panels[d], cockpit, d);
  StatusLine(image, fonts, layout, cockpit, message, shell);
  if (cockpit.Help()) HelpOverlay(image, fonts, layout, shell);
}

}  // namespace play
