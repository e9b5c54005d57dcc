// The cockpit's geometry: every button is where a click finds it, nothing
// else answers a click, and the picture fits a window by whole numbers.
#include "apps/play/layout.h"

#include <gtest/gtest.h>

namespace play {
namespace {

Point Centre(Rect r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

struct Shape {
  int displays, width, height;
};
constexpr Shape kShapes[] = {{2, 320, 320}, {1, 320, 320}, {2, 256, 200}, {1, 640, 480}, {2, 100, 100}};

TEST(LayoutHitTest, FindsEveryButtonAndItsLabel) {
  for (const Shape &s : kShapes) {
    const Layout layout = MakeLayout(s.displays, s.width, s.height);
    ASSERT_EQ(static_cast<int>(layout.panels.size()), s.displays);
    for (int d = 0; d < s.displays; ++d) {
      const Panel &panel = layout.panels[d];
      for (int i = 0; i < kSideButtons; ++i) {
        const Control side{d, Control::Kind::Side, i};
        EXPECT_EQ(layout.HitTest(Centre(panel.buttons[i])), side) << s.width << "x" << s.height << " button " << i;
        EXPECT_EQ(layout.HitTest(Centre(panel.labels[i])), side) << s.width << "x" << s.height << " label " << i;
      }
      for (int i = 0; i < kHostButtons; ++i)
        EXPECT_EQ(layout.HitTest(Centre(panel.hostButtons[i])), (Control{d, Control::Kind::Host, i}));
    }
  }
}

TEST(LayoutHitTest, GlassBezelAndGapsAnswerNothing) {
  const Layout layout = MakeLayout(2, 320, 320);
  const Panel &left = layout.panels[0], &right = layout.panels[1];
  for (const Point p : {Centre(left.glass), Point{left.glass.x, left.glass.y}, Centre(right.glass),
                        Point{left.bezel.x + 1, left.bezel.y + 1}, Centre(left.title),
                        Point{left.bezel.Right(), Centre(left.bezel).y}, Centre(layout.statusBar), Point{0, 0},
                        Point{layout.width - 1, layout.height - 1}, Point{-5, 10}, Point{layout.width, 10}})
    EXPECT_FALSE(layout.HitTest(p)) << p.x << "," << p.y;
}

TEST(Viewport, FitsByWholeNumbersOrScalesDownAndCentres) {
  const struct {
    int areaWidth, areaHeight;
    Viewport view;
  } cases[] = {
      {100, 50, {0, 0, 100, 50}},   {199, 99, {49, 24, 100, 50}},
      {200, 100, {0, 0, 200, 100}}, {350, 120, {75, 10, 200, 100}},
      {50, 50, {0, 12, 50, 25}},    {1000, 60, {450, 5, 100, 50}},
      {100, 10, {40, 0, 20, 10}},   {0, 50, {}},
  };
  for (const auto &c : cases) EXPECT_EQ(Fit(100, 50, c.areaWidth, c.areaHeight), c.view) << c.areaWidth;
}

TEST(Viewport, MapsAreaPointsBackToPicturePixels) {
  const Viewport view{10, 20, 300, 150};  // three times over
  const std::pair<Point, std::optional<Point>> cases[] = {
      {{10, 20}, Point{0, 0}}, {{12, 22}, Point{0, 0}},   {{13, 23}, Point{1, 1}},  {{309, 169}, Point{99, 49}},
      {{9, 30}, std::nullopt}, {{310, 30}, std::nullopt}, {{30, 170}, std::nullopt}};
  for (const auto &[area, pixel] : cases) EXPECT_EQ(ToPicture(view, 100, 50, area), pixel) << area.x << "," << area.y;
  EXPECT_EQ(ToPicture({0, 0, 50, 25}, 100, 50, {49, 24}), (Point{98, 48}));  // scaled down by half
}

}  // namespace
}  // namespace play
