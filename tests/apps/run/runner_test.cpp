// The runner end to end: how it refuses bad input, the standard streams,
// --quiet with --stats and help. What each command traces is held by the
// digest set; the fuzz corpus is replayed by every fuzz run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;

using velbrik_test::Slurp;

class RunnerTest : public ::testing::Test {
 protected:
  // The runner's exit status on `arguments`, `script` written to script.session first.
  int Run(const std::string &script, const std::string &arguments) {
    std::ofstream(dir_ / "script.session", std::ios::binary) << script;
    const int status = velbrik_test::RunIn(dir_, "'" VELBRIK_RUN "' " + arguments);
    errors_ = Slurp(dir_ / "stderr.txt");
    return status;
  }
  // Files and folders in the scratch folder, the script and both streams' files included.
  long Entries() const { return std::distance(fs::recursive_directory_iterator(dir_), {}); }

  velbrik_test::ScratchDir scratch_{"velbrik-runner"};
  const fs::path &dir_ = scratch_.Path();
  std::string errors_;
};

struct BadInput {
  const char *what;
  std::string script;     // written to script.session
  std::string arguments;  // the options
  std::string message;    // how standard error's one line starts
};

// Bad input of every kind gets one clear line on standard error, status 2, and
// leaves no output behind: no trace, no GIF, no PNG, no temporary file.
TEST_F(RunnerTest, BadInputIsRefusedWithOneLineAndNoOutput) {
  // Every output is asked for first, so that the case's own options end the
  // line; the last cases name their own outputs.
  const std::string outputs = "--trace trace.jsonl --gif game.gif --png frames ";
  const std::string script = outputs + "--script script.session", own = "--script script.session --trace -";
  const BadInput cases[] = {
      {"unknown command", "open 320 200\nrepaint\nfly away\n", script, "script.session:3: unknown command 'fly'"},
      {"a missing script", "", outputs + "--script nowhere.session", "velbrik-run: nowhere.session: No such file"},
      {"a folder for a script", "", outputs + "--script .", "velbrik-run: .: is a directory"},
      {"no script", "", outputs, "velbrik-run: no script given"},
      {"a script and the demo", "version\n", script + " --demo", "velbrik-run: --script and --demo exclude each other"},
      {"a zoom of 0", "version\n", script + " --zoom 0", "velbrik-run: --zoom takes a number from 1 to 16"},
      {"a frame rate too high", "version\n", script + " --fps 1000", "velbrik-run: --fps takes a number"},
      {"every 0th frame", "version\n", script + " --every 0", "velbrik-run: --every takes a number"},
      {"a demo size too large", "", outputs + "--demo --size 70000x10", "velbrik-run: --size takes WxH"},
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
      {"an output folder that cannot be made", "version\n",
       "--trace trace.jsonl --gif game.gif --script script.session --png script.session/frames",
       "velbrik-run: script.session/frames: cannot make the folder"},
      {"no library, the trace to standard output", "version\n", own + " --plugin script.session", "velbrik-run: "},
      {"a folder for the GIF", "version\n", own + " --gif frames/", "velbrik-run: --gif takes a file name"},
      {"every Nth picture of no pictures", "version\n", own + " --every 10", "velbrik-run: --every is for pictures"},
      {"a GIF's rate without a GIF", "version\n", own + " --png frames --fps 10", "velbrik-run: --fps is the GIF's"},
      {"a demo size for a script", "version\n", own + " --size 10x10", "velbrik-run: --size is the demo's"},
  };
  for (const BadInput &c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    EXPECT_EQ(Run(c.script, c.arguments), 2);
    EXPECT_EQ(Slurp(dir_ / "stdout.txt"), "");
    EXPECT_EQ(errors_.rfind(c.message, 0), 0u) << errors_;
    EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
    EXPECT_EQ(Entries(), 3) << "only the script and the two streams' files";
  }
}

TEST_F(RunnerTest, ScriptsAndTracesCanUseStandardStreams) {
  ASSERT_EQ(Run("open 1 1\n", "--script - < script.session"), 0) << errors_;
  EXPECT_EQ(Slurp(dir_ / "stdout.txt").rfind(R"(["@","load"])", 0), 0u);
}

TEST_F(RunnerTest, QuietDrawsAndWritesNothingAndStatsCountTheRepaints) {
  EXPECT_EQ(Run("open 64 48\nrepaint 7\nopen 8 8\nrepaint 2\n", "--script script.session --quiet --stats"), 0);
  EXPECT_EQ(errors_.rfind("velbrik-run: 9 repaints in ", 0), 0u) << errors_;
  EXPECT_EQ(Slurp(dir_ / "stdout.txt"), "");
  EXPECT_EQ(Entries(), 3) << "script, stdout and stderr only";
}

TEST_F(RunnerTest, HelpAndVersion) {
  EXPECT_EQ(Run("", "--help"), 0);
  EXPECT_NE(Slurp(dir_ / "stdout.txt").find("Exit status"), std::string::npos);
  EXPECT_EQ(Run("", "--version"), 0);
  EXPECT_EQ(Slurp(dir_ / "stdout.txt"), "velbrik-run " VELBRIK_VERSION "\n");
}

}  // namespace
