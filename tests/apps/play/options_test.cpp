// velbrik-play's command line: defaults, every option, and a one-line reason
// for each bad value.
#include <gtest/gtest.h>

#include <vector>

#include "apps/play/options.h"

namespace play {
namespace {

ParsedOptions Parse(std::vector<const char *> arguments) { return ParseOptions(arguments); }

TEST(PlayOptions, DefaultsAndEveryOption) {
  const ParsedOptions defaults = Parse({});
  EXPECT_TRUE(defaults.error.empty() && !defaults.help && !defaults.version);
  EXPECT_EQ(defaults.options, (Options{2, 320, 320, 0, 0.03, 2, "", "", "", "", ""}));
  const ParsedOptions parsed =
      Parse({"-d", "1",    "-s",       "256x200",  "-z",           "3",        "-r",    "0.05",      "-m",       "1",
             "-p", "M.so", "--script", "s.events", "--screenshot", "shot.png", "--log", "log.jsonl", "--record", "r"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options, (Options{.displays = 1,
                                     .width = 256,
                                     .height = 200,
                                     .zoom = 3,
                                     .refresh = 0.05,
                                     .mouseScale = 1,
                                     .plugin = "M.so",
                                     .script = "s.events",
                                     .screenshot = "shot.png",
                                     .log = "log.jsonl",
                                     .record = "r"}));
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
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

}  // namespace
}  // namespace play
