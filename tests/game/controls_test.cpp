// Controls: the R and S keys after the last ball, the buttons that forward
// to them, the button labels and the button menu.
#include <climits>
#include <utility>

#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

using ControlsTest = GameTest;

TEST_F(ControlsTest, AfterTheLastBallAReleaseDrawsTheStatusOnceAndANewGameStartsOver) {
  Start();
  game->ballsLeft = 0;
  Fly(5, 170, 0, 1);
  Repaint();
  ASSERT_TRUE(game->gameOver);
  Take();
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_EQ(Take(), Lines{R"(["GetCursorPos"])"} + Status("0", "0", "- Game Over! -"));
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_S));
  Repaint();
  EXPECT_FALSE(game->gameOver);
  EXPECT_TRUE(InOrder(Take(), {Text(300, 0, "1"), R"(["SelectDefaultPen",5])"}));
}

// Records the keys that buttons forward: they go through the virtual operation.
class KeyLog : public BrickMFD {
 public:
  using BrickMFD::BrickMFD;
  bool ConsumeKeyBuffered(unsigned long key) override {
    keys.push_back(key);
    return BrickMFD::ConsumeKeyBuffered(key);
  }
  std::vector<unsigned long> keys;
};

TEST_F(ControlsTest, ButtonsForwardTheirKeysOnEventsWithBitZeroOnly) {
  KeyLog display(320, 200, nullptr);
  const unsigned long keys[12] = {0x1F, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x10, 0x11};
  for (int bt = 0; bt < 12; ++bt) {
    display.keys.clear();
    EXPECT_EQ(display.ConsumeButton(bt, 1), bt < 2) << bt;
    EXPECT_EQ(display.keys, std::vector<unsigned long>{keys[bt]}) << bt;
  }
  const struct { int bt, event; } ignored[] = {{0, 0}, {0, 2}, {1, 0x100}, {12, 1}, {-1, 1}, {INT_MIN, 1}};
  for (const auto &c : ignored) {
    display.keys.clear();
    EXPECT_FALSE(display.ConsumeButton(c.bt, c.event)) << c.bt << " " << c.event;
    EXPECT_TRUE(display.keys.empty());
  }
  EXPECT_TRUE(display.ConsumeButton(0, -1));
}

TEST_F(ControlsTest, LabelsAndMenuNameTheFirstTwoButtons) {
  const std::pair<int, const char *> labels[] = {{-1, nullptr}, {0, "NEW"},    {1, "REL"},        {2, ""},
                                                 {11, ""},      {12, nullptr}, {INT_MAX, nullptr}};
  for (const auto &[bt, label] : labels) EXPECT_STREQ(game->ButtonLabel(bt), label) << bt;
  const MFDBUTTONMENU *menu = nullptr;
  ASSERT_EQ(game->ButtonMenu(&menu), 12);
  EXPECT_EQ(game->ButtonMenu(nullptr), 12);
  for (int i = 0; i < 12; ++i) {
    // Packed entries need not be aligned: fields are read by value.
    const char *line1 = menu[i].line1, *line2 = menu[i].line2;
    const char selchar = menu[i].selchar;
    EXPECT_STREQ(line1, i == 0 ? "Start new Game" : i == 1 ? "Release Ball" : nullptr) << i;
    EXPECT_EQ(line2, nullptr) << i;
    EXPECT_EQ(selchar, i == 0 ? 'S' : i == 1 ? 'R' : 0) << i;
  }
}

}  // namespace
}  // namespace velbrik_test
