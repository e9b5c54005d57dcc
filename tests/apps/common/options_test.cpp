// Command lines: each spelling of an option and its value, operands wherever
// they stand, one line for the first fault, and sizes.
#include "apps/common/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace apps {
namespace {

constexpr Option kTable[] = {{"script", 's', true}, {"zoom", 0, true}, {"demo", 0, false}, {"help", 'h', false}};

// What was read, as "name=value flag | operand ...", or the error.
std::string Read(std::vector<const char *> arguments) {
  const CommandLine line = ParseCommandLine(kTable, arguments);
  std::string out = line.error;
  for (const OptionUse &use : line.options)
    out += std::string(use.option->name) + (use.option->takesValue ? "=" + std::string(use.value) : "") + " ";
  for (const std::string_view operand : line.operands) out += "| " + std::string(operand);
  return out;
}

TEST(CommandLine, ReadsEachSpellingInOrder) {
  const std::pair<std::vector<const char *>, const char *> cases[] = {
      {{"--script", "a", "--zoom=2", "-s", "b", "-sc", "--demo", "-h"}, "script=a zoom=2 script=b script=c demo help "},
      {{"--script=a=b", "--zoom=", "-s", "-", "--script", "--demo"}, "script=a=b zoom= script=- script=--demo "},
      {{"x", "--demo", "-", "--", "--demo", "-s"}, "demo | x| -| --demo| -s"},
      {{"--script"}, "option '--script' needs a value"},
      {{"-s"}, "option '-s' needs a value"},
      {{"--demo=1"}, "option '--demo' takes no value"},
      {{"-hx"}, "option '-h' takes no value"},
      {{"--demo", "--frob=1", "--script"}, "unknown option '--frob=1'"},
      {{"--scr", "a"}, "unknown option '--scr'"},
      {{"-x3"}, "unknown option '-x'"},
  };
  for (const auto &[arguments, read] : cases) EXPECT_EQ(Read(arguments), read) << arguments[0];
}

TEST(CommandLine, SizesAreWidthXHeight) {
  for (const char *text : {"32x2048", "320", "x200", "320x", "31x320", "320x2049", "2x3x4", "320X200"}) {
    int width = 0, height = 0;
    const bool read = ReadSize(text, 32, 2048, width, height) && width == 32 && height == 2048;
    EXPECT_EQ(read, text == std::string_view("32x2048")) << text;
  }
}

}  // namespace
}  // namespace apps
