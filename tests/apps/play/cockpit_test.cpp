// The cockpit's displays as the host runs them, without a window: the real
// module loaded, modes chosen on the selection page, the button menu shown,
// power switched, pause, reloading, and the display's pixels in the picture
// (keys, buttons and labels on the mode page are the scripted X run's).
#include "apps/play/cockpit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "apps/play/picture.h"
#include "standin/core/host.h"
#include "standin/raster/pens.h"

namespace play {
namespace {

class CockpitTest : public ::testing::Test {
 protected:
  void Start(int displays) {
    std::string error;
    font_ = standin::Font::LoadDefault(error);
    ASSERT_TRUE(font_) << error;
    cockpit_ = Cockpit::Create(VELBRIK_PLUGIN, displays, 320, 320, font_, &log_, nullptr, error);
    ASSERT_TRUE(cockpit_) << error;
    log_.lines.clear();
  }
  void TearDown() override { cockpit_.reset(); }

  bool Logged(const std::string &line) const {
    return std::find(log_.lines.begin(), log_.lines.end(), line) != log_.lines.end();
  }
  // Pixels of the blue bricks in display `d`'s picture.
  long Bricks(int d) const {
    const std::vector<std::uint32_t> &pixels = cockpit_->At(d).Frame().pixels;
    return std::count(pixels.begin(), pixels.end(), standin::kDefaultPens[2]);
  }

  standin::Image Picture(const Layout &layout) {
    const Fonts fonts{font_->Glyphs(kSmallFontSize), font_->Glyphs(PageFontSize(320))};
    return Compose(layout, *cockpit_, fonts, "");
  }

  standin::MemoryTrace log_;
  std::shared_ptr<standin::Font> font_;
  std::unique_ptr<Cockpit> cockpit_;
};

constexpr unsigned kN = 0x31, kR = 0x13;
const Control kPower{0, Control::Kind::Host, 0}, kSelect{0, Control::Kind::Host, 1}, kMenu{0, Control::Kind::Host, 2};

// The selection key creates the game through the handler; the menu button
// then shows the mode's button menu, and a press on it goes to the mode.
TEST_F(CockpitTest, TheSelectionKeyCreatesTheGameAndTheMenuPagePassesAPressOn) {
  Start(1);
  Display &display = cockpit_->At(0);
  display.Key(kR);                               // not a selection key
  cockpit_->Press({0, Control::Kind::Side, 3});  // no mode beside it
  cockpit_->Release();
  cockpit_->Press(kMenu);  // nothing live: no menu
  EXPECT_EQ(display.Shown(), Page::Select);
  display.Key(kN);
  ASSERT_TRUE(display.ActiveMode());
  EXPECT_EQ(display.ActiveMode()->name, "Velbrik");
  cockpit_->Press(kMenu);
  EXPECT_EQ(display.Shown(), Page::Menu);
  const std::vector<MenuEntry> menu = display.MenuEntries();
  ASSERT_EQ(menu.size(), 12u);
  EXPECT_EQ(menu[0].line1, "Start new Game");
  EXPECT_EQ(menu[0].shortcut, 'S');
  EXPECT_EQ(menu[1].line1, "Release Ball");
  EXPECT_EQ(menu[1].shortcut, 'R');
  EXPECT_EQ(menu[2].line1, "");
  log_.lines.clear();
  cockpit_->Press({0, Control::Kind::Side, 1});
  EXPECT_EQ(display.Shown(), Page::Mode);
  EXPECT_TRUE(Logged(R"(["@","button",1,1])"));
  cockpit_->Press(kMenu);
  cockpit_->Press(kMenu);
  EXPECT_EQ(display.Shown(), Page::Mode);
}

TEST_F(CockpitTest, SelectingAgainKeepsTheGameAndPowerOffDeletesIt) {
  Start(1);
  Display &display = cockpit_->At(0);
  display.Key(kN);
  cockpit_->Press(kSelect);
  EXPECT_EQ(display.Shown(), Page::Select);
  cockpit_->Press(kSelect);
  EXPECT_EQ(display.Shown(), Page::Mode);
  display.Key(kN);  // the mode page passes N on to the game
  cockpit_->Press(kSelect);
  display.Key(kN);  // the selection page: the same mode, the same game
  EXPECT_EQ(std::count(log_.lines.begin(), log_.lines.end(), R"(["MFD",320,320])"), 1);

  cockpit_->Press(kPower);
  EXPECT_EQ(display.Shown(), Page::Off);
  EXPECT_TRUE(Logged(R"(["~MFD"])"));
  display.Key(kN);
  cockpit_->Press(kSelect);
  EXPECT_EQ(display.Shown(), Page::Off);
  cockpit_->Press(kPower);  // back on: a new game of the mode last shown
  EXPECT_EQ(display.Shown(), Page::Mode);
  EXPECT_EQ(std::count(log_.lines.begin(), log_.lines.end(), R"(["MFD",320,320])"), 2);
}

TEST_F(CockpitTest, RepaintsDrawOnlyTheModePageAndStopWhilePausedOrHelped) {
  Start(1);
  const auto repaints = [&] { return std::count(log_.lines.begin(), log_.lines.end(), R"(["@","repaint"])"); };
  cockpit_->Repaint(0);
  EXPECT_TRUE(log_.lines.empty());
  cockpit_->At(0).Key(kN);
  cockpit_->TogglePause();
  cockpit_->Repaint(0);
  EXPECT_EQ(repaints(), 0);
  cockpit_->Step();  // '.': one frame, then paused again
  cockpit_->Repaint(0);
  cockpit_->Repaint(0);
  EXPECT_EQ(repaints(), 1);
  cockpit_->TogglePause();
  cockpit_->ToggleHelp();
  cockpit_->Repaint(0);
  EXPECT_EQ(repaints(), 1);
  cockpit_->ToggleHelp();
  cockpit_->Repaint(0);
  EXPECT_EQ(repaints(), 2);
  EXPECT_GT(Bricks(0), 1000);
  // The picture's glass is the display's own pixels.
  const Rect glass = MakeLayout(1, 320, 320).panels[0].glass;
  const standin::Image picture = Picture(MakeLayout(1, 320, 320)), &frame = cockpit_->At(0).Frame();
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 320; ++x) ASSERT_EQ(picture.At(glass.x + x, glass.y + y), frame.At(x, y)) << x << "," << y;
}

TEST_F(CockpitTest, TheBezelHintsAtANewGameOnceTheGameHasEnded) {
  Start(1);
  Display &display = cockpit_->At(0);
  display.Key(kN);
  cockpit_->SetCursor(POINT{0, 100});
  int frames = 0;
  for (; frames < 5000 && !display.GameEnded(); ++frames) {
    if (frames % 200 == 0) {
      display.Key(kR);  // released, then steered away from: lost
      cockpit_->SetCursor(POINT{frames % 400 == 0 ? 4000 : -4000, 100});
    }
    cockpit_->Repaint(0);
  }
  ASSERT_TRUE(display.GameEnded()) << "no Game Over in " << frames << " frames";
  const Layout layout = MakeLayout(1, 320, 320);
  const Rect title = layout.panels[0].title;
  const auto amber = [&] {
    const standin::Image picture = Picture(layout);
    return std::count_if(picture.pixels.begin(), picture.pixels.end(), [&, i = 0](std::uint32_t p) mutable {
      const int x = i % picture.width, y = i++ / picture.width;
      return p == 0xFFC828u && y >= title.y && y < title.Bottom() && x >= title.x && x < title.Right();
    });
  };
  EXPECT_GT(amber(), 20) << "the hint in the title strip";
  display.Key(0x1F);  // Shift+S
  cockpit_->Repaint(0);
  EXPECT_FALSE(display.GameEnded());
  EXPECT_EQ(amber(), 0);
}

TEST_F(CockpitTest, ReloadingBringsEveryDisplayBackInItsMode) {
  Start(2);
  cockpit_->At(0).Key(kN);
  cockpit_->Repaint(0);
  log_.lines.clear();
  std::string error;
  ASSERT_TRUE(cockpit_->Reload(error)) << error;
  EXPECT_EQ(std::vector<std::string>(log_.lines.begin(), log_.lines.begin() + 4),
            (std::vector<std::string>{R"(["@","unload"])", R"(["~MFD"])", R"(["oapiUnregisterMFDMode",1])",
                                      R"(["@","load"])"}));
  EXPECT_TRUE(Logged(R"(["MFD",320,320])")) << "a new object for the mode";
  EXPECT_EQ(cockpit_->At(0).Shown(), Page::Mode);
  EXPECT_EQ(cockpit_->At(1).Shown(), Page::Select);
  cockpit_->Repaint(0);
  EXPECT_GT(Bricks(0), 1000);
}

}  // namespace
}  // namespace play
