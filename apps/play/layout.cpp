#include "apps/play/layout.h"

#include <algorithm>
#include <cstdint>

namespace play {
namespace {

// Picture pixels.
constexpr int kMargin = 10;       // around the panels and between them
constexpr int kBezelPad = 10;     // from the bezel's outer edge to the buttons
constexpr int kButtonWidth = 26;  // a side button
constexpr int kButtonHeight = 18;
constexpr int kButtonGap = 4;    // from a side button to its label column
constexpr int kLabelWidth = 34;  // four characters of the label font
constexpr int kLabelHeight = 14;
constexpr int kRim = 3;  // the glass's frame
constexpr int kTitleHeight = 20;
constexpr int kHostGap = 8;  // from the glass's frame to the host buttons
constexpr int kHostWidth = 44;
constexpr int kHostHeight = 18;
constexpr int kHostSpacing = 16;
constexpr int kBottomPad = 10;
constexpr int kStatusHeight = 18;

constexpr int kSide = kBezelPad + kButtonWidth + kButtonGap + kLabelWidth + kRim;
constexpr int kHostRow = kHostButtons * kHostWidth + (kHostButtons - 1) * kHostSpacing;

Panel MakePanel(int left, int top, int panelWidth, int width, int height) {
  Panel p;
  p.bezel = {left, top, panelWidth, kTitleHeight + 2 * kRim + height + kHostGap + kHostHeight + kBottomPad};
  p.glass = {left + (panelWidth - width) / 2, top + kTitleHeight + kRim, width, height};
  p.title = {p.glass.x - kRim, top, width + 2 * kRim, kTitleHeight};
  const int buttonHeight = std::clamp(height / 6 - 2, 1, kButtonHeight);
  for (int i = 0; i < kSideButtons; ++i) {
    const int row = i % 6;
    const int centre = p.glass.y + static_cast<int>((std::int64_t{height} * (2 * row + 1)) / 12);
    const bool onLeft = i < 6;
    const int labelX = onLeft ? p.glass.x - kRim - kLabelWidth : p.glass.Right() + kRim;
    const int buttonX = onLeft ? labelX - kButtonGap - kButtonWidth : labelX + kLabelWidth + kButtonGap;
    p.buttons[i] = {buttonX, centre - buttonHeight / 2, kButtonWidth, buttonHeight};
    p.labels[i] = {labelX, centre - kLabelHeight / 2, kLabelWidth, kLabelHeight};
  }
  const int hostLeft = p.glass.x + (width - kHostRow) / 2;
  const int hostTop = p.glass.Bottom() + kRim + kHostGap;
  for (int i = 0; i < kHostButtons; ++i)
    p.hostButtons[i] = {hostLeft + i * (kHostWidth + kHostSpacing), hostTop, kHostWidth, kHostHeight};
  return p;
}

}  // namespace

Layout MakeLayout(int displays, int width, int height) {
  Layout layout;
  const int panelWidth = std::max(2 * kSide + width, kHostRow + 2 * kBezelPad);
  int left = kMargin;
  for (int d = 0; d < displays; ++d) {
    layout.panels.push_back(MakePanel(left, kMargin, panelWidth, width, height));
    left += panelWidth + kMargin;
  }
  const int panelHeight = layout.panels.empty() ? 0 : layout.panels.front().bezel.h;
  layout.width = std::max(left, 2 * kMargin);
  layout.statusBar = {kMargin, kMargin + panelHeight + 4, layout.width - 2 * kMargin, kStatusHeight};
  layout.height = layout.statusBar.Bottom() + 4;
  return layout;
}

std::optional<Control> Layout::HitTest(Point p) const {
  for (int d = 0; d < static_cast<int>(panels.size()); ++d) {
    const Panel &panel = panels[d];
    if (!panel.bezel.Contains(p)) continue;
    for (int i = 0; i < kSideButtons; ++i)
      if (panel.buttons[i].Contains(p) || panel.labels[i].Contains(p)) return Control{d, Control::Kind::Side, i};
    for (int i = 0; i < kHostButtons; ++i)
      if (panel.hostButtons[i].Contains(p)) return Control{d, Control::Kind::Host, i};
  }
  return std::nullopt;
}

std::optional<int> Layout::PanelAt(Point p) const {
  for (int d = 0; d < static_cast<int>(panels.size()); ++d)
    if (panels[d].bezel.Contains(p)) return d;
  return std::nullopt;
}

Viewport Fit(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  int w = pictureWidth, h = pictureHeight;
  if (const int scale = std::min(areaWidth / pictureWidth, areaHeight / pictureHeight); scale >= 1) {
    w *= scale;
    h *= scale;
  } else if (std::int64_t{areaWidth} * pictureHeight <= std::int64_t{areaHeight} * pictureWidth) {
    w = areaWidth;  // the width decides
    h = std::max(1, static_cast<int>(std::int64_t{pictureHeight} * areaWidth / pictureWidth));
  } else {
    h = areaHeight;
    w = std::max(1, static_cast<int>(std::int64_t{pictureWidth} * areaHeight / pictureHeight));
  }
  return {(areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

std::optional<Point> ToPicture(const Viewport &view, int pictureWidth, int pictureHeight, Point p) {
  if (view.w <= 0 || view.h <= 0 || p.x < view.x || p.y < view.y || p.x >= view.x + view.w || p.y >= view.y + view.h)
    return std::nullopt;
  return Point{static_cast<int>(std::int64_t{p.x - view.x} * pictureWidth / view.w),
               static_cast<int>(std::int64_t{p.y - view.y} * pictureHeight / view.h)};
}

}  // namespace play
