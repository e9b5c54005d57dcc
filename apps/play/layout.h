// The cockpit's geometry: where each display's bezel, glass, side buttons,
// button labels and host buttons lie in the cockpit picture, which control a
// point of the picture hits, and how the picture is fitted into a window.
// Pure arithmetic on picture pixels; nothing here draws.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace play {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point &) const = default;
};

// Columns x to x + w − 1 and rows y to y + h − 1; empty when w or h is not positive.
struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool Contains(Point p) const { return p.x >= x && p.y >= y && p.x < x + w && p.y < y + h; }
  int Right() const { return x + w; }   // one past the last column
  int Bottom() const { return y + h; }  // one past the last row
  bool operator==(const Rect &) const = default;
};

// Side buttons 0–5 run down the left of a display, 6–11 down the right.
inline constexpr int kSideButtons = 12;
// The host's own buttons along the bottom of a display, left to right.
enum class HostButton { Power, Select, Menu };
inline constexpr int kHostButtons = 3;
inline constexpr std::array<const char *, kHostButtons> kHostButtonNames = {"PWR", "SEL", "MNU"};

// Something on a display's bezel that can be clicked.
struct Control {
  enum class Kind { Side, Host };
  int display = 0;
  Kind kind = Kind::Side;
  int index = 0;  // 0 to 11 for a side button, a HostButton for a host button
  bool operator==(const Control &) const = default;
};

// One display's frame.
struct Panel {
  Rect bezel;
  Rect title;  // strip above the glass for the display's name and page
  Rect glass;  // the display surface, one picture pixel per display pixel
  std::array<Rect, kSideButtons> buttons;
  std::array<Rect, kSideButtons> labels;  // where each button's label is written, beside the glass
  std::array<Rect, kHostButtons> hostButtons;
};

struct Layout {
  int width = 0;  // the whole picture
  int height = 0;
  std::vector<Panel> panels;  // left to right
  Rect statusBar;             // the cockpit's own line along the bottom

  // The control at `p`: a side button or its label, or a host button; none elsewhere.
  std::optional<Control> HitTest(Point p) const;
  // The display whose bezel holds `p`; none elsewhere.
  std::optional<int> PanelAt(Point p) const;
};

// The cockpit for `displays` displays of `width` × `height` pixels each, side
// by side. Sizes of 1 and up give a valid layout.
Layout MakeLayout(int displays, int width, int height);

// A picture drawn `scale` times enlarged with its top left at (x, y) of an area.
// Where the picture lies in an area: its rectangle there.
struct Viewport {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const Viewport &) const = default;
};

// The largest whole-number scale at which a picture fits the area, centred in
// it; a picture larger than the area is scaled down to fit, keeping its shape.
Viewport Fit(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// The picture pixel under area point `p`, or none outside the picture.
std::optional<Point> ToPicture(const Viewport &view, int pictureWidth, int pictureHeight, Point p);

}  // namespace play
