// velbrik-play's command line: defaults, every option in each spelling, and a
// one-line reason for each bad one.
#include <gtest/gtest.h>

#include <vector>

#include "apps/play/options.h"

namespace play {
namespace {

ParsedOptions Parse(std::vector<const char *> arguments) { return ParseOptions(arguments); }

TEST(PlayOptions, DefaultsToTwoSquareDisplays) {
  const ParsedOptions parsed = Parse({});
  EXPECT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.help);
  EXPECT_EQ(parsed.options.displays, 2);
  EXPECT_EQ(parsed.options.width, 320);
  EXPECT_EQ(parsed.options.height, 320);
  EXPECT_EQ(parsed.options.zoom, 0);
  EXPECT_DOUBLE_EQ(parsed.options.refresh, 0.03);
  EXPECT_EQ(parsed.options.plugin, "");
}

TEST(PlayOptions, TakesEveryOptionInEachSpelling) {
  const ParsedOptions parsed = Parse({"-d", "1", "--size=256x200", "-z", "3", "--refresh", "0.05", "-p", "M.so",
                                      "--script", "s.events", "--screenshot=shot.png", "--log", "log.jsonl"});
  ASSERT_EQ(parsed.error, "");
  const Options &o = parsed.options;
  EXPECT_EQ(o.displays, 1);
  EXPECT_EQ(o.width, 256);
  EXPECT_EQ(o.height, 200);
  EXPECT_EQ(o.zoom, 3);
  EXPECT_DOUBLE_EQ(o.refresh, 0.05);
  EXPECT_EQ(o.plugin, "M.so");
  EXPECT_EQ(o.script, "s.events");
  EXPECT_EQ(o.screenshot, "shot.png");
  EXPECT_EQ(o.log, "log.jsonl");
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
}

TEST(PlayOptions, RefusesBadOnesInOneLine) {
  const struct {
    std::vector<const char *> arguments;
    const char *error;
  } cases[] = {
      {{"--displays", "3"}, "--displays takes 1 or 2, got '3'"},
      {{"-d", "0"}, "--displays takes 1 or 2, got '0'"},
      {{"--size", "320"}, "--size takes WxH, each 32 to 2048, got '320'"},
      {{"--size", "16x320"}, "--size takes WxH, each 32 to 2048, got '16x320'"},
      {{"--size", "320x4096"}, "--size takes WxH, each 32 to 2048, got '320x4096'"},
      {{"--zoom", "17"}, "--zoom takes a whole number from 1 to 16, got '17'"},
      {{"--refresh", "0"}, "--refresh takes seconds from 0.001 to 1, got '0'"},
      {{"--refresh", "fast"}, "--refresh takes seconds from 0.001 to 1, got 'fast'"},
      {{"--refresh", "nan"}, "--refresh takes seconds from 0.001 to 1, got 'nan'"},
      {{"--log="}, "--log takes a path, got ''"},
      {{"--script"}, "option '--script' needs a value"},
      {{"-z"}, "option '-z' needs a value"},
      {{"--help=yes"}, "option '--help' takes no value"},
      {{"--fast"}, "unknown option '--fast'"},
      {{"-x"}, "unknown option '-x'"},
      {{"game.events"}, "unexpected argument 'game.events'"},
  };
  for (const auto &c : cases) EXPECT_EQ(Parse(c.arguments).error, c.error) << c.arguments.front();
}

}  // namespace
}  // namespace play
