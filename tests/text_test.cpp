// Texts: the line printer with its begin marker and long-line warning, and the
// status line with its banners.
#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

class TextTest : public GameTest {
 protected:
  void SetUp() override {
    Open(320, 200);
    game->surface = surface.Handle();
  }
};

TEST_F(TextTest, LinesAreTwentiethsOfTheHeightTruncated) {
  const struct {
    int height, n, y;
  } cases[] = {{200, 0, 0}, {200, 1, 10},      {200, 10, 100}, {200, 18, 180}, {333, 1, 16}, {333, 3, 49},  // 49.95
               {0, 5, 0},   {65535, 19, 62258}};
  for (const auto &c : cases) {
    Open(320, c.height);
    EXPECT_EQ(game->LineY(c.n), c.y) << c.height << " " << c.n;
  }
}

TEST_F(TextTest, PrintedLinesStackDownTheLeftEdge) {
  game->PrintLine(beginMarker);
  game->PrintLine("first");
  game->PrintLine("");
  game->PrintLine("third");
  EXPECT_EQ(Take(), (std::vector<std::string>{R"(["TextOutA",0,0,"first",5])", R"(["TextOutA",0,10,"",0])",
                                              R"(["TextOutA",0,20,"third",5])"}));
  EXPECT_EQ(printLine, 2);
}

TEST_F(TextTest, TheMarkerIsKnownByItsAddressNotItsCharacters) {
  printLine = 4;
  const char lookalike[] = ":@BEGIN:";
  game->PrintLine(lookalike);
  EXPECT_EQ(Take(), std::vector<std::string>{R"(["TextOutA",0,50,":@BEGIN:",8])"});
  game->PrintLine(beginMarker);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(printLine, -1);
}

TEST_F(TextTest, ALineOverThirtyEightCharactersIsFollowedByAWarning) {
  const std::string fits(38, 'x');
  const std::string over(39, 'y');
  game->PrintLine(beginMarker);
  game->PrintLine(fits.c_str());
  game->PrintLine(over.c_str());
  EXPECT_EQ(Take(), (std::vector<std::string>{
                        "[\"TextOutA\",0,0,\"" + fits + "\",38]",
                        "[\"TextOutA\",0,10,\"" + over + "\",39]",
                        R"(["SetTextColor",65535])",
                        R"(["TextOutA",0,20,"@WARNING:STRING TO LONG!",24])",
                        R"(["SetTextColor",16777215])",
                    }));
}

struct StatusCase {
  const char *what;
  int score, ballsLeft, levelClear;
  bool gameOver;
  std::vector<std::string> expected;
};

TEST_F(TextTest, TheStatusLineShowsScoreBallsAndBanners) {
  const StatusCase cases[] = {
      {"score 1234",
       1234,
       1,
       0,
       false,
       {R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"1234",4])", R"(["TextOutA",220,0,"Balls: ",7])",
        R"(["TextOutA",300,0,"1",1])"}},
      {"no ball left shows 0",
       0,
       -1,
       0,
       true,
       {R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"0",1])", R"(["TextOutA",220,0,"Balls: ",7])",
        R"(["TextOutA",300,0,"0",1])", R"(["TextOutA",90,100,"- Game Over! -",14])"}},
      {"both banners, level clear last",
       -5,
       -1,
       1,
       true,
       {R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"-5",2])", R"(["TextOutA",220,0,"Balls: ",7])",
        R"(["TextOutA",300,0,"0",1])", R"(["TextOutA",90,100,"- Game Over! -",14])",
        R"(["TextOutA",90,100,"- Level Clear! -",16])"}},
      {"a spare ball clears game over",
       3,
       0,
       0,
       true,
       {R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"3",1])", R"(["TextOutA",220,0,"Balls: ",7])",
        R"(["TextOutA",300,0,"0",1])"}},
  };
  for (const StatusCase &c : cases) {
    SCOPED_TRACE(c.what);
    game->score = c.score;
    game->ballsLeft = c.ballsLeft;
    game->levelClear = c.levelClear;
    game->gameOver = c.gameOver;
    game->DrawStatus();
    EXPECT_EQ(Take(), c.expected);
    EXPECT_EQ(game->gameOver, c.gameOver && c.ballsLeft == -1);
  }
}

TEST_F(TextTest, TheReleasePromptIsLineTenInWhite) {
  game->PrintLine(beginMarker);
  game->PrintReleasePrompt();
  const auto lines = Take();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[9], R"(["TextOutA",0,90,"",0])");
  EXPECT_EQ(lines[10], R"(["SetTextColor",16777215])");
  EXPECT_EQ(lines[11], R"(["TextOutA",0,100,"      Release ball! (Shift+R) ",30])");
}

}  // namespace
}  // namespace velbrik_test
