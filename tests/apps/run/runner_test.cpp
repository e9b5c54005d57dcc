// The runner end to end: every command's trace lines and results, the
// standard streams, and how it refuses bad input.
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
  EXPECT_NE(std::find(run.trace.begin(), run.trace.end(),
                      R"(["=",12,[["Start new Game",null,"S"],["Release Ball",null,"R"],)"
                      R"([null,null,null],[null,null,null],[null,null,null],[null,null,null],)"
                      R"([null,null,null],[null,null,null],[null,null,null],[null,null,null],)"
                      R"([null,null,null],[null,null,null]]])"),
            run.trace.end());
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
      // Cases that name their own outputs.
      {"no library, the trace to standard output", "version\n", script + " --trace - --plugin script.session",
       "velbrik-run: "},
      {"a folder for the GIF", "version\n", script + " --trace - --gif frames/",
       "velbrik-run: --gif takes a file name"},
      {"every Nth picture of no pictures", "version\n", script + " --trace - --every 10",
       "velbrik-run: --every is for pictures"},
      {"a GIF's rate without a GIF", "version\n", script + " --trace - --png frames --fps 10",
       "velbrik-run: --fps is the GIF's"},
      {"a demo size for a script", "version\n", script + " --trace - --size 10x10",
       "velbrik-run: --size is the demo's"},
  };
  for (const BadInput &c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const bool ownFolder = c.arguments.find("--png") != std::string::npos;
    const bool ownOutputs = c.arguments.find("--trace") != std::string::npos;
    // Every output is asked for first, so that the case's own options end the line.
    const std::string outputs =
        ownOutputs ? "" : std::string("--trace trace.jsonl --gif game.gif") + (ownFolder ? "" : " --png frames");
    const Outcome run = Run(c.script, outputs + " " + c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Slurp(dir_ / "stdout.txt"), "");
    EXPECT_EQ(run.errors.rfind(c.message, 0), 0u) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    for (const auto &entry : fs::recursive_directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      const bool ours = name == "script.session" || name == "stdout.txt" || name == "stderr.txt";
      EXPECT_TRUE(ours) << "left behind: " << entry.path();
    }
  }
}

TEST_F(RunnerTest, QuietDrawsAndWritesNothingAndStatsCountTheRepaints) {
  const Outcome run = Run("open 64 48\nrepaint 7\nopen 8 8\nrepaint 2\n", "--script script.session --quiet --stats");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors.rfind("velbrik-run: 9 repaints in ", 0), 0u) << run.errors;
  EXPECT_EQ(Slurp(dir_ / "stdout.txt"), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3) << "script, stdout and stderr only";
}

TEST_F(RunnerTest, HelpDescribesTheOptionsAndTheScript) {
  const Outcome run = Run("", "--help");
  EXPECT_EQ(run.status, 0);
  const std::string help = Slurp(dir_ / "stdout.txt");
  for (const char *word : {"--script", "--trace", "--plugin", "--version", "open W H", "repaint [N]", "Exit status"})
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
