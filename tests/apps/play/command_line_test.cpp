// velbrik-play's command line: defaults, every option and a one-line reason
// for each bad value; and the program where it cannot play (no graphical
// display, bad options, a bad event script), which needs no display server.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "apps/play/options.h"
#include "tests/support/scratch.h"

namespace play {
namespace {

namespace fs = std::filesystem;

ParsedOptions Parse(std::vector<const char *> arguments) { return ParseOptions(arguments); }

TEST(PlayOptions, DefaultsAndEveryOption) {
  const ParsedOptions defaults = Parse({});
  EXPECT_TRUE(defaults.error.empty() && !defaults.help && !defaults.version);
  EXPECT_EQ(defaults.options, (Options{2, 320, 320, 0, 0.03, 2, "", "", "", "", ""}));
  const ParsedOptions parsed =
      Parse({"-d",    "1",         "-s",       "256x200", "-z",       "3",        "-r",           "0.05",
             "-m",    "1",         "-p",       "M.so",    "--script", "s.events", "--screenshot", "shot.png",
             "--log", "log.jsonl", "--record", "r",       "-h",       "--version"});
  EXPECT_TRUE(parsed.error.empty() && parsed.help && parsed.version) << parsed.error;
  EXPECT_EQ(parsed.options, (Options{1, 256, 200, 3, 0.05, 1, "M.so", "s.events", "shot.png", "log.jsonl", "r"}));
}

TEST(PlayOptions, RefusesBadOnesInOneLine) {
  const struct {
    std::vector<const char *> arguments;
    const char *error;
  } cases[] = {
      {{"--displays", "3"}, "--displays takes 1 or 2, got '3'"},
      {{"--size", "16x320"}, "--size takes WxH, each 32 to 2048, got '16x320'"},
      {{"--zoom", "17"}, "--zoom takes a whole number from 1 to 16, got '17'"},
      {{"--refresh", "0"}, "--refresh takes seconds from 0.001 to 1, got '0'"},
      {{"--mouse-scale", "9"}, "--mouse-scale takes a whole number from 1 to 8, got '9'"},
      {{"--log="}, "--log takes a path, got ''"},
      {{"game.events"}, "unexpected argument 'game.events'"},
  };
  for (const auto &c : cases) EXPECT_EQ(Parse(c.arguments).error, c.error) << c.arguments.front();
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string errors;
};

class PlayCliTest : public ::testing::Test {
 protected:
  // Runs the player with no display to talk to, SDL's video driver as `driver`
  // (empty: left to the player).
  Outcome Run(const std::string &arguments, const std::string &driver = "x11") {
    const std::string video = driver.empty() ? "-u SDL_VIDEODRIVER" : "SDL_VIDEODRIVER=" + driver;
    const int status = velbrik_test::RunIn(
        dir_, "env -u DISPLAY -u WAYLAND_DISPLAY " + video + " '" + VELBRIK_PLAY + "' " + arguments);
    return {status, velbrik_test::Slurp(dir_ / "stdout.txt"), velbrik_test::Slurp(dir_ / "stderr.txt")};
  }

  velbrik_test::ScratchDir scratch_{"velbrik-play-cli"};
  const fs::path &dir_ = scratch_.Path();
};

TEST_F(PlayCliTest, WithoutADisplaySaysSoInOneLineAndNamesTheRunner) {
  for (const std::string driver : {"x11", ""}) {
    const Outcome outcome = Run("--log log.jsonl", driver);
    EXPECT_EQ(outcome.status, 1) << driver;
    EXPECT_TRUE(outcome.errors.starts_with("velbrik-play: no graphical display (")) << outcome.errors;
    EXPECT_TRUE(outcome.errors.ends_with("); for headless use try velbrik-run\n")) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << outcome.errors;
    EXPECT_FALSE(fs::exists(dir_ / "log.jsonl"));
  }
}

TEST_F(PlayCliTest, BadOptionsAndScriptsAreRefusedAndHelpIsGiven) {
  Outcome outcome = Run("--displays 3");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.errors,
            "velbrik-play: --displays takes 1 or 2, got '3'\nTry 'velbrik-play --help' for more information.\n");
  std::ofstream(dir_ / "bad.events") << "at 0 mouse 1 2\n# fine so far\nat 3 click display 2 button 1\n";
  outcome = Run("--script bad.events");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.errors, "bad.events:3: there is no display 2: the cockpit has 2 displays (0 and 1)\n");
  outcome = Run("--help");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.out.find("Event script"), std::string::npos);
}

}  // namespace
}  // namespace play
