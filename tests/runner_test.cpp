// The runner end to end: scripts in, call traces out, compared with lines
// worked out from the game's rules; and how it refuses bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;

using velbrik_test::Slurp;

struct Outcome {
  int status = -1;
  std::vector<std::string> trace;
  std::string errors;
};

class RunnerTest : public ::testing::Test {
 protected:
  // Runs the runner with `arguments` after writing `script` to script.session.
  Outcome Run(const std::string &script, const std::string &arguments = "") {
    std::ofstream(dir_ / "script.session", std::ios::binary) << script;
    Outcome outcome;
    outcome.status =
        velbrik_test::RunIn(dir_, std::string("'" VELBRIK_RUN "' ") +
                                      (arguments.empty() ? "--script script.session --trace trace.jsonl" : arguments));
    outcome.errors = Slurp(dir_ / "stderr.txt");
    std::istringstream lines(Slurp(dir_ / "trace.jsonl"));
    for (std::string line; std::getline(lines, line);) outcome.trace.push_back(line);
    return outcome;
  }

  velbrik_test::ScratchDir scratch_{"velbrik-runner"};
  const fs::path &dir_ = scratch_.Path();
};

// Whether `expected` appears within `lines` in order.
::testing::AssertionResult InOrder(const std::vector<std::string> &lines, const std::vector<std::string> &expected) {
  std::size_t next = 0;
  for (const auto &line : lines)
    if (next < expected.size() && line == expected[next]) ++next;
  if (next == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing, in order: " << expected[next];
}

// The lines from the first `from` on, up to but not including the next `to`.
std::vector<std::string> Between(const std::vector<std::string> &lines, const std::string &from, const std::string &to,
                                 int skip = 0) {
  auto begin = lines.begin();
  for (int i = 0; i <= skip; ++i) begin = std::find(i == 0 ? lines.begin() : begin + 1, lines.end(), from);
  if (begin == lines.end()) return {};
  const auto end = std::find(begin + 1, lines.end(), to);
  return {begin, end};
}

bool Has(const std::vector<std::string> &lines, const std::string &line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int Count(const std::vector<std::string> &lines, const std::string &prefix) {
  return static_cast<int>(
      std::count_if(lines.begin(), lines.end(), [&](const auto &l) { return l.rfind(prefix, 0) == 0; }));
}

TEST_F(RunnerTest, TheFirstFrameOn320By200) {
  const Outcome run = Run("open 320 200\nrepaint\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<std::string> head = {R"(["@","load"])",
                                         R"(["InitLib"])",
                                         R"(["GetProcAddress","ExitModule"])",
                                         R"(["GetProcAddress","opcDLLExit"])",
                                         R"(["oapiRegisterMFDMode","Velbrik",49])",
                                         R"(["@","open",320,200])",
                                         R"(["MFD",320,200])",
                                         R"(["=",0])",
                                         R"(["@","repaint"])",
                                         R"(["SetTextColor",65280])",
                                         R"(["GetCursorPos"])",
                                         R"(["TextOutA",0,0," Score:",7])",
                                         R"(["TextOutA",90,0,"0",1])",
                                         R"(["TextOutA",220,0,"Balls: ",7])",
                                         R"(["TextOutA",300,0,"1",1])",
                                         R"(["SelectDefaultPen",3])",
                                         R"(["MoveToEx",2,45])",
                                         R"(["LineTo",32,45])"};
  ASSERT_GT(run.trace.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(run.trace.begin(), run.trace.begin() + head.size()), head);
  // Paddle centred at 142..177, its top at 180; the ball resting at (159, 179).
  EXPECT_TRUE(InOrder(
      run.trace, {R"(["SetTextColor",65535])", R"(["SelectDefaultPen",5])", R"(["MoveToEx",147,180])",
                  R"(["LineTo",172,180])", R"(["Ellipse",142,180,152,190])", R"(["Ellipse",167,180,177,190])",
                  R"(["SetPixel",146,183,8355711])", R"(["SelectDefaultPen",1])", R"(["TextOutA",0,0,"",0])",
                  R"(["SetTextColor",16777215])", R"(["TextOutA",0,100,"      Release ball! (Shift+R) ",30])",
                  R"(["SelectDefaultPen",0])", R"(["Ellipse",156,176,162,182])", R"(["SetPixel",160,180,65280])"}));
  const std::vector<std::string> tail = {R"(["SetPixel",160,180,65280])", R"(["@","unload"])", R"(["~MFD"])",
                                         R"(["oapiUnregisterMFDMode",1])"};
  EXPECT_EQ(std::vector<std::string>(run.trace.end() - tail.size(), run.trace.end()), tail);
  // load 5, open 3, the frame 1 + 2 + 4 + 1260 + 48 + 12 + 14, unload 3.
  EXPECT_EQ(run.trace.size(), 5u + 3 + 1341 + 3);
}

TEST_F(RunnerTest, ALaunchABrickHitAndAPaddleRebound) {
  const Outcome run = Run("open 320 200\nrepaint\nkey 0x13\nrepaint\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const auto launch = Between(run.trace, R"(["@","key",19])", R"(["@","repaint"])");
  // The release frame sets no colour of its own for the status, prints no
  // prompt, and draws the ball on the paddle's top edge at (159, 180).
  EXPECT_EQ(launch[1], R"(["GetCursorPos"])");
  EXPECT_EQ(launch[2], R"(["TextOutA",0,0," Score:",7])");
  EXPECT_EQ(Count(launch, "[\"SetTextColor\",65280]"), 0);
  EXPECT_EQ(Count(launch, "[\"TextOutA\",0,100"), 0);
  // Rising at (0.5, -1) a sub-step, the centre reaches brick 47's bottom edge
  // (y 175, x 159..189) in the fifth sub-step at x 161.5: the whole field is
  // drawn again with that brick still in it. Falling back, its lowest point
  // passes the paddle's top in the eighth, at (163, 178): a rebound, and the
  // ball is drawn there.
  EXPECT_TRUE(
      InOrder(launch, {R"(["SelectDefaultPen",0])", R"(["Ellipse",159,180,159,180])", R"(["Ellipse",156,177,162,183])",
                       R"(["SetPixel",160,181,65280])", R"(["SelectDefaultPen",3])", R"(["MoveToEx",159,165])",
                       R"(["LineTo",189,165])", R"(["SelectDefaultPen",0])", R"(["Ellipse",163,178,163,178])",
                       R"(["Ellipse",160,175,166,181])", R"(["SetPixel",164,179,65280])", R"(["=",true])"}));
  EXPECT_EQ(Count(launch, "[\"SelectDefaultPen\",3]"), 36);  // two field drawings, 18 strong bricks each

  const auto next = Between(run.trace, R"(["@","repaint"])", R"(["@","unload"])", 1);
  EXPECT_TRUE(
      InOrder(next, {R"(["TextOutA",90,0,"1",1])", R"(["SelectDefaultPen",0])", R"(["Ellipse",164,176,164,176])"}));
  EXPECT_FALSE(Has(next, R"(["MoveToEx",159,165])"));
  EXPECT_EQ(Count(next, "[\"MoveToEx\""), 590 + 10);
}

TEST_F(RunnerTest, LosingBallsDownToGameOver) {
  // On a display 30 high the paddle's top is at y 10 and the field lies below
  // the display. A released ball rises to the top wall by the 7th sub-step (y 3)
  // and comes down; moving the paddle away from under it loses it when its
  // lowest point passes y 10, at (165, 8), two sub-steps into the next frame.
  const Outcome run =
      Run("open 320 30\nrepaint\nkey 0x13\n"
          "cursor -1000\nrepaint\nrepaint\n"             // paddle to x 0: the first ball is lost
          "key 0x13\ncursor 1000\nrepaint\nrepaint\n");  // paddle to x 285: the last one too
  ASSERT_EQ(run.status, 0) << run.errors;
  const auto lost = Between(run.trace, R"(["@","repaint"])", R"(["@","repaint"])", 1);
  EXPECT_TRUE(InOrder(lost, {R"(["TextOutA",300,0,"1",1])", R"(["MoveToEx",5,10])", R"(["SelectDefaultPen",0])",
                             R"(["Ellipse",164,6,164,6])"}));  // where the release frame left it
  const auto resting = Between(run.trace, R"(["@","repaint"])", R"(["@","key",19])", 2);
  EXPECT_TRUE(
      InOrder(resting, {R"(["TextOutA",300,0,"0",1])", R"(["MoveToEx",5,10])",
                        R"(["TextOutA",0,15,"      Release ball! (Shift+R) ",30])", R"(["Ellipse",17,9,17,9])"}));
  const auto over = Between(run.trace, R"(["@","repaint"])", R"(["@","unload"])", 4);
  EXPECT_EQ(over, (std::vector<std::string>{R"(["@","repaint"])", R"(["SetTextColor",65280])", R"(["GetCursorPos"])",
                                            R"(["TextOutA",0,0," Score:",7])", R"(["TextOutA",90,0,"0",1])",
                                            R"(["TextOutA",220,0,"Balls: ",7])", R"(["TextOutA",300,0,"0",1])",
                                            R"(["TextOutA",90,15,"- Game Over! -",14])"}));
}

TEST_F(RunnerTest, TwoDisplaysShareTheCursor) {
  const Outcome run = Run("open 320 200\nopen 320 200\ncursor 100\nuse 0\nrepaint\nuse 1\nrepaint\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(InOrder(run.trace, {R"(["=",0])", R"(["=",1])"}));
  // Display 0 steps first and takes the whole travel of 100: its paddle moves
  // by 50; display 1 then sees none.
  const auto first = Between(run.trace, R"(["@","repaint"])", R"(["@","use",1])");
  const auto second = Between(run.trace, R"(["@","repaint"])", R"(["@","unload"])", 1);
  EXPECT_TRUE(Has(first, R"(["MoveToEx",197,180])"));
  EXPECT_TRUE(Has(second, R"(["MoveToEx",147,180])"));
  const std::vector<std::string> tail = {R"(["@","unload"])", R"(["~MFD"])", R"(["~MFD"])",
                                         R"(["oapiUnregisterMFDMode",1])"};
  EXPECT_EQ(std::vector<std::string>(run.trace.end() - tail.size(), run.trace.end()), tail);
}

TEST_F(RunnerTest, CommandsWithResultsAndWithout) {
  const Outcome run =
      Run("version\nversion\nmessage 2\nopen 320 200\nlabel 1\nlabel -1\nmenu null\nbutton 0 0\nkey 0x31\n"
          "cursor 5 -7\nmessage 7\nclose\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.trace, (std::vector<std::string>{R"(["@","load"])",
                                                 R"(["InitLib"])",
                                                 R"(["GetProcAddress","ExitModule"])",
                                                 R"(["GetProcAddress","opcDLLExit"])",
                                                 R"(["oapiRegisterMFDMode","Velbrik",49])",
                                                 R"(["@","version"])",
                                                 R"(["Date2Int","Apr 25 2006"])",
                                                 R"(["=",20060425])",
                                                 R"(["@","version"])",
                                                 R"(["=",20060425])",
                                                 R"(["@","message",2])",
                                                 R"(["@","open",320,200])",
                                                 R"(["MFD",320,200])",
                                                 R"(["=",0])",
                                                 R"(["@","label",1])",
                                                 R"(["=","REL"])",
                                                 R"(["@","label",-1])",
                                                 R"(["=",null])",
                                                 R"(["@","menu","null"])",
                                                 R"(["=",12])",
                                                 R"(["@","button",0,0])",
                                                 R"(["=",false])",
                                                 R"(["@","key",49])",
                                                 R"(["=",false])",
                                                 R"(["@","cursor",5,-7])",
                                                 R"(["@","message",7])",
                                                 R"(["@","close"])",
                                                 R"(["~MFD"])",
                                                 R"(["@","unload"])",
                                                 R"(["oapiUnregisterMFDMode",1])"}));
}

TEST_F(RunnerTest, TheMenuIsListedEntryByEntry) {
  const Outcome run = Run("open 320 200\nmenu\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(Has(run.trace, R"(["=",12,[["Start new Game",null,"S"],["Release Ball",null,"R"],)"
                             R"([null,null,null],[null,null,null],[null,null,null],[null,null,null],)"
                             R"([null,null,null],[null,null,null],[null,null,null],[null,null,null],)"
                             R"([null,null,null],[null,null,null]]])"));
}

TEST_F(RunnerTest, ScriptsAndTracesCanUseStandardStreams) {
  std::ofstream(dir_ / "in.session") << "open 1 1\n";
  const std::string command =
      std::string("cd '") + dir_.string() + "' && '" VELBRIK_RUN "' --script - < in.session > out.jsonl 2> err.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Slurp(dir_ / "out.jsonl").rfind(R"(["@","load"])", 0), 0u);
}

struct BadInput {
  const char *what;
  std::string script;     // written to script.session
  std::string arguments;  // the options; every output is asked for besides
  std::string message;    // how standard error's one line starts
};

// Bad input of every kind gets one clear line on standard error, status 2, and
// leaves no output behind: no trace, no GIF, no PNG, no temporary file.
TEST_F(RunnerTest, BadInputIsRefusedWithOneLineAndNoOutput) {
  std::string garbage;
  for (int i = 0; i < 512; ++i) garbage += static_cast<char>((i * 73 + 11) & 0xFF);
  const std::string script = "--script script.session";
  const BadInput cases[] = {
      {"unknown command", "open 320 200\nrepaint\nfly away\n", script, "script.session:3: unknown command 'fly'"},
      {"binary garbage", garbage, script, "script.session:1: unexpected byte"},
      {"a missing script", "", "--script nowhere.session", "velbrik-run: nowhere.session: No such file"},
      {"a folder for a script", "", "--script .", "velbrik-run: .: is a directory"},
      {"no script", "", "", "velbrik-run: no script given"},
      {"a script and the demo", "version\n", script + " --demo", "velbrik-run: --script and --demo exclude each other"},
      {"output asked of a quiet run", "version\n", script + " --quiet", "velbrik-run: --quiet writes nothing"},
      {"an unknown option", "", script + " --frobnicate", "velbrik-run: unknown option '--frobnicate'"},
      {"a zoom of 0", "version\n", script + " --zoom 0", "velbrik-run: --zoom takes a number from 1 to 16"},
      {"a frame rate too high", "version\n", script + " --fps 1000", "velbrik-run: --fps takes a number"},
      {"every 0th frame", "version\n", script + " --every 0", "velbrik-run: --every takes a number"},
      {"a demo size too large", "", "--demo --size 70000x10", "velbrik-run: --size takes WxH"},
      {"a plug-in that does not exist", "version\n", script + " --plugin ./none.so",
       "velbrik-run: ./none.so: cannot open shared object file"},
      {"a plug-in that is no library", "version\n", script + " --plugin script.session", "velbrik-run: "},
      {"a library that is no display module", "version\n", script + " --plugin " STANDIN_LIBRARY,
       "velbrik-run: " STANDIN_LIBRARY ": not a display module"},
      {"a display too large for pictures", "open 65535 65535\nrepaint\n", script,
       "script.session:1: open: a 65535x65535 display: "},
      {"a display too large zoomed", "open 4000 4000\nrepaint\n", script + " --zoom 16",
       "script.session:1: open: a 4000x4000 display zoomed 16 times is too large"},
      {"a fault after frames were drawn", "open 320 200\nrepaint 3\nuse 7\n", script,
       "script.session:3: use: there is no display 7"},
      {"an output folder that cannot be made", "version\n", script + " --png script.session/frames",
       "velbrik-run: script.session/frames: cannot make the folder"},
  };
  for (const BadInput &c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const bool ownFolder = c.arguments.find("--png") != std::string::npos;
    // Every output is asked for first, so that the case's own options end the line.
    const std::string outputs = std::string("--trace trace.jsonl --gif game.gif") + (ownFolder ? "" : " --png frames");
    const Outcome run = Run(c.script, outputs + " " + c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.errors.rfind(c.message, 0), 0u) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    for (const auto &entry : fs::recursive_directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      const bool ours = name == "script.session" || name == "stdout.txt" || name == "stderr.txt";
      EXPECT_TRUE(ours) << "left behind: " << entry.path();
    }
  }
}

TEST_F(RunnerTest, AQuietRunDrawsEveryFrameWritesNothingAndCountsThem) {
  const Outcome run = Run("open 320 200\nrepaint 5\nkey 19\nrepaint 2\n", "--script script.session --quiet --stats");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors.rfind("velbrik-run: 7 frames in ", 0), 0u) << run.errors;
  EXPECT_NE(run.errors.find(" frames/s; CPU time "), std::string::npos) << run.errors;
  EXPECT_TRUE(Slurp(dir_ / "stdout.txt").empty());
  for (const auto &entry : fs::directory_iterator(dir_))
    EXPECT_TRUE(entry.path().extension() == ".txt" || entry.path().extension() == ".session") << entry.path();
  // The frames are drawn: a display too large to draw is refused as it is for pictures.
  const Outcome large = Run("open 65535 65535\nrepaint\n", "--script script.session --quiet");
  EXPECT_EQ(large.status, 2);
  EXPECT_NE(large.errors.find("open: a 65535x65535 display"), std::string::npos) << large.errors;
}

TEST_F(RunnerTest, HelpDescribesTheOptionsAndTheScript) {
  const Outcome run = Run("", "--help");
  EXPECT_EQ(run.status, 0);
  const std::string help = Slurp(dir_ / "stdout.txt");
  for (const char *word :
       {"--script", "--trace", "--plugin", "--quiet", "--stats", "--version", "open W H", "repaint [N]", "Exit status"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
  EXPECT_TRUE(Run("", "--version").status == 0 && Slurp(dir_ / "stdout.txt") == "velbrik-run " VELBRIK_VERSION "\n");
}

}  // namespace

namespace {

// Every input the fuzzer keeps, committed as regression cases, runs to a clean
// end through the runner, recorder and pixel surface alike: done, or refused
// with status 2, never a crash.
TEST_F(RunnerTest, TheFuzzCorpusRunsCleanly) {
  int replayed = 0;
  for (const auto &entry : fs::directory_iterator(VELBRIK_FUZZ_CORPUS)) {
    SCOPED_TRACE(entry.path().string());
    const std::string arguments =
        "--script '" + entry.path().string() + "' --trace trace.jsonl --png frames --every 1000";
    const Outcome run = Run("", arguments);
    EXPECT_TRUE(run.status == 0 || run.status == 2) << run.status << " " << run.errors;
    ++replayed;
  }
  EXPECT_GT(replayed, 3);
}

}  // namespace
