// velbrik-play where it cannot play: no graphical display, bad options, a bad
// event script. None of these needs a display server.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;

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
