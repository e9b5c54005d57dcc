// Texts: the line printer with its begin marker and long-line warning, the
// status line with its banners, and the debug readout (the paddle and the
// ball are the digest set's and the golden pictures').
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

using TextTest = GameTest;

// The trace line of drawing `text` at (x, y).
std::string Text(int x, int y, const std::string &text) {
  return "[\"TextOutA\"," + std::to_string(x) + "," + std::to_string(y) + ",\"" + text + "\"," +
         std::to_string(text.size()) + "]";
}

// The status line of a 320x200 display, then each banner at its centre.
Lines Status(const std::string &score, const std::string &balls, const Lines &banners = {}) {
  Lines lines = {Text(0, 0, " Score:"), Text(90, 0, score), Text(220, 0, "Balls: "), Text(300, 0, balls)};
  for (const std::string &banner : banners) lines.push_back(Text(90, 100, banner));
  return lines;
}

TEST_F(TextTest, LinesStackDownTheLeftEdgeFromTheMarkerKnownByItsAddress) {
  printLine = 4;
  const char lookalike[] = ":@BEGIN:";
  game->PrintLine(lookalike);
  game->PrintLine(beginMarker);
  game->PrintLine("first");
  game->PrintLine("");
  EXPECT_EQ(Take(), (Lines{Text(0, 50, ":@BEGIN:"), Text(0, 0, "first"), Text(0, 10, "")}));
  EXPECT_EQ(printLine, 1);
}

TEST_F(TextTest, ALineOverThirtyEightCharactersIsFollowedByAYellowWarning) {
  const std::string fits(38, 'x'), over(39, 'y');
  game->PrintLine(beginMarker);
  game->PrintLine(fits.c_str());
  game->PrintLine(over.c_str());
  EXPECT_EQ(Take(), (Lines{Text(0, 0, fits), Text(0, 10, over), R"(["SetTextColor",65535])",
                           Text(0, 20, "@WARNING:STRING TO LONG!"), R"(["SetTextColor",16777215])"}));
}

TEST_F(TextTest, TheStatusLineShowsScoreBallsAndBanners) {
  const struct {
    int score, ballsLeft, levelClear;
    bool gameOver;
    Lines expected;
  } cases[] = {
      {1234, 1, 0, false, Status("1234", "1")},
      {0, -1, 0, true, Status("0", "0", {"- Game Over! -"})},  // no ball left shows 0
      {-5, -1, 1, true, Status("-5", "0", {"- Game Over! -", "- Level Clear! -"})},
      {3, 0, 0, true, Status("3", "0")},  // a spare ball clears game over
  };
  for (const auto &c : cases) {
    game->score = c.score;
    game->ballsLeft = c.ballsLeft;
    game->levelClear = c.levelClear;
    game->gameOver = c.gameOver;
    game->DrawStatus();
    EXPECT_EQ(Take(), c.expected);
    EXPECT_EQ(game->gameOver, c.gameOver && c.ballsLeft == -1);
  }
}

TEST_F(TextTest, TheDebugReadoutShowsTheVerticalVelocityOnLine18) {
  Start();
  Fly(160, 30, 0.5, -1);
  game->debugReadout = true;
  Repaint();
  EXPECT_EQ(Take().back(), Text(0, 180, "-1.000000"));
}

}  // namespace
}  // namespace velbrik_test
