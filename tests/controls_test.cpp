// Controls: the S and R keys, the buttons that forward to them, the button
// labels and the button menu.
#include <cstring>

#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

class ControlsTest : public GameTest {
 protected:
  void Start() {
    Open(320, 200);
    Repaint();
    Take();
  }
};

TEST_F(ControlsTest, OnlyRAndSAreConsumed) {
  Start();
  for (unsigned long key = 0; key < 256; ++key) {
    if (key == OAPI_KEY_R || key == OAPI_KEY_S) continue;
    EXPECT_FALSE(game->ConsumeKeyBuffered(key)) << key;
  }
  EXPECT_FALSE(game->ConsumeKeyBuffered(0x10013));  // no masking of the code
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_S));
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
}

TEST_F(ControlsTest, ReleasingRunsAWholeFrameAtOnce) {
  Start();
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  const auto lines = Take();
  // The frame draws on the last repaint's surface, without a colour of its own
  // for the status, and moves the ball before the next repaint.
  EXPECT_EQ(CountPrefix(lines, "[\"GetCursorPos\""), 1);
  EXPECT_EQ(lines[1], R"(["TextOutA",0,0," Score:",7])");
  EXPECT_TRUE(InOrder(lines, {R"(["SelectDefaultPen",0])", R"(["Ellipse",159,180,159,180])"}));
  EXPECT_TRUE(game->ballReleased);
  EXPECT_FALSE(game->ballOnPaddle);
  EXPECT_LT(game->ballY, 180);
}

TEST_F(ControlsTest, ReleasingABallInPlayChangesNothing) {
  Start();
  Fly(100, 30, 0.5, -1);
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(game->ballX, 100);
  EXPECT_EQ(game->ballY, 30);
  EXPECT_EQ(game->ballVX, 0.5);
}

TEST_F(ControlsTest, AReleaseBetweenANewGameAndItsFrameIsUndone) {
  Start();
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_S));
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(game->ballOnPaddle);
  EXPECT_FALSE(game->ballReleased);
  Repaint();
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(game->ballReleased);
}

TEST_F(ControlsTest, AfterTheLastBallAReleaseDrawsOnlyTheStatusOnce) {
  Start();
  game->ballsLeft = 0;
  Fly(5, 170, 0, 1);
  Repaint();
  ASSERT_TRUE(game->gameOver);
  Take();

  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_EQ(Take(),
            (std::vector<std::string>{R"(["GetCursorPos"])", R"(["TextOutA",0,0," Score:",7])",
                                      R"(["TextOutA",90,0,"0",1])", R"(["TextOutA",220,0,"Balls: ",7])",
                                      R"(["TextOutA",300,0,"0",1])", R"(["TextOutA",90,100,"- Game Over! -",14])"}));
  EXPECT_TRUE(game->ballReleased);
  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_R));
  EXPECT_TRUE(Take().empty());

  EXPECT_TRUE(game->ConsumeKeyBuffered(OAPI_KEY_S));
  Repaint();
  EXPECT_FALSE(game->gameOver);
  EXPECT_TRUE(InOrder(Take(), {R"(["TextOutA",300,0,"1",1])"}));
}

// Records the keys that buttons forward, to check they go through the
// virtual key operation.
class KeyLog : public BrickMFD {
 public:
  using BrickMFD::BrickMFD;
  bool ConsumeKeyBuffered(unsigned long key) override {
    keys.push_back(key);
    return BrickMFD::ConsumeKeyBuffered(key);
  }
  std::vector<unsigned long> keys;
};

TEST_F(ControlsTest, ButtonsForwardTheirKeysOnPressEventsOnly) {
  Open(320, 200);
  KeyLog display(320, 200, nullptr);
  const unsigned long keys[12] = {0x1F, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x10, 0x11};
  for (int bt = 0; bt < 12; ++bt) {
    display.keys.clear();
    EXPECT_EQ(display.ConsumeButton(bt, 1), bt < 2) << bt;
    EXPECT_EQ(display.keys, std::vector<unsigned long>{keys[bt]}) << bt;
  }
  struct {
    int bt, event;
  } ignored[] = {{0, 0}, {0, 2}, {1, 0x100}, {12, 1}, {-1, 1}, {INT32_MIN, 1}};
  for (const auto &c : ignored) {
    display.keys.clear();
    EXPECT_FALSE(display.ConsumeButton(c.bt, c.event)) << c.bt << " " << c.event;
    EXPECT_TRUE(display.keys.empty());
  }
  EXPECT_TRUE(display.ConsumeButton(0, 3));
  EXPECT_TRUE(display.ConsumeButton(0, -1));
}

TEST_F(ControlsTest, LabelsNameTheFirstTwoButtons) {
  Open(320, 200);
  const struct {
    int bt;
    const char *label;
  } cases[] = {{0, "NEW"}, {1, "REL"}, {2, ""}, {5, ""}, {11, ""}, {12, nullptr}, {-1, nullptr}, {INT32_MAX, nullptr}};
  for (const auto &c : cases) {
    const char *label = game->ButtonLabel(c.bt);
    if (c.label)
      EXPECT_STREQ(label, c.label) << c.bt;
    else
      EXPECT_EQ(label, nullptr) << c.bt;
  }
}

TEST_F(ControlsTest, TheMenuHasTwelvePackedEntriesOfWhichTwoCarryText) {
  Open(320, 200);
  const MFDBUTTONMENU *menu = nullptr;
  ASSERT_EQ(game->ButtonMenu(&menu), 12);
  ASSERT_NE(menu, nullptr);
  // Fields of packed entries are read by value: they need not be aligned.
  const struct {
    const char *line1, *line2;
    char selchar;
  } expected[12] = {{"Start new Game", nullptr, 'S'}, {"Release Ball", nullptr, 'R'}};
  for (int i = 0; i < 12; ++i) {
    const char *line1 = menu[i].line1, *line2 = menu[i].line2;
    const char selchar = menu[i].selchar;
    if (expected[i].line1) {
      EXPECT_STREQ(line1, expected[i].line1) << i;
    } else {
      EXPECT_EQ(line1, nullptr) << i;
    }
    EXPECT_EQ(line2, nullptr) << i;
    EXPECT_EQ(selchar, expected[i].selchar) << i;
  }
  // Entries follow each other with no gap: the second starts right after the
  // first's shortcut byte.
  const auto *bytes = reinterpret_cast<const unsigned char *>(menu);
  const char *second = nullptr;
  std::memcpy(&second, bytes + 2 * sizeof(void *) + 1, sizeof second);
  EXPECT_STREQ(second, "Release Ball");
  EXPECT_EQ(game->ButtonMenu(nullptr), 12);
}

}  // namespace
}  // namespace velbrik_test
