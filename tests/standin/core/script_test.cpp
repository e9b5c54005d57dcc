// Session scripts: what a well-formed script reads as, and where and why a bad
// one is refused; and numbers as scripts and command lines write them, every
// form and the ones refused.
#include "standin/core/script.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "standin/core/words.h"

namespace standin {
namespace {

TEST(ScriptTest, CommandsReadWithTheirArgumentsAndDefaults) {
  // Lines 1 to 17: comments, a blank line, every command, CR LF and tabs.
  const char *text =
      "# a comment\n\nopen 320 200   # trailing comment\ncursor -5\ncursor 0x10 -0x20\r\nrepaint\nrepaint 3\n"
      "key 0x13\nbutton -1 0x7FFFFFFF\nlabel 12\nmenu\nmenu null\nversion\nmessage 0xFFFFFFFF\n"
      "\topen\t0 65535\nuse 0\nclose";
  std::vector<Command> commands;
  ScriptError error;
  EXPECT_TRUE(ParseScript("\n\n# nothing\n", commands, error) && commands.empty());
  ASSERT_TRUE(ParseScript(text, commands, error)) << error.line << ": " << error.message;
  using Read = std::tuple<Op, std::int64_t, std::int64_t, int>;  // the command, its arguments, its line
  const std::vector<Read> expected = {
      {Op::Open, 320, 200, 3},         {Op::Cursor, -5, 0, 4},  {Op::Cursor, 16, -32, 5},
      {Op::Repaint, 1, 0, 6},          {Op::Repaint, 3, 0, 7},  {Op::Key, 0x13, 0, 8},
      {Op::Button, -1, 0x7FFFFFFF, 9}, {Op::Label, 12, 0, 10},  {Op::Menu, 0, 0, 11},
      {Op::MenuNull, 0, 0, 12},        {Op::Version, 0, 0, 13}, {Op::Message, 0xFFFFFFFF, 0, 14},
      {Op::Open, 0, 65535, 15},        {Op::Use, 0, 0, 16},     {Op::Close, 0, 0, 17}};
  std::vector<Read> read;
  for (const Command &c : commands) read.emplace_back(c.op, c.a, c.b, c.line);
  EXPECT_EQ(read, expected);
}

struct BadCase {
  std::string text;
  int line;
  const char *message;
};

TEST(ScriptTest, ABadLineIsRefusedWithItsNumberAndTheFault) {
  using namespace std::string_literals;
  const BadCase cases[] = {
      {"frobnicate", 1, "unknown command 'frobnicate'"},
      {"open 320", 1, "open takes 2 to 3 arguments (open W H [MODE]), got 1"},
      {"open 320 200 0", 1, "MODE must be a number from 1 to 2147483647, got '0'"},
      {"open 65536 200", 1, "W must be a number from 0 to 65535, got '65536'"},
      {"open 320 200\ncursor 2147483648", 2, "X must be a number from -2147483648 to 2147483647"},
      {"open 320 200\ncursor 1 2 3", 2, "cursor takes 1 to 2 arguments (cursor X [Y]), got 3"},
      {"open 320 200\nrepaint 1000001", 2, "N must be a number from 0 to 1000000"},
      {"open 320 200\nkey 0x100000000", 2, "CODE must be a number from 0 to 4294967295"},
      {"open 320 200\nmenu nul", 2, "the only argument it takes is 'null'"},
      {"message 1", 1, "M must not be 1"},
      {"version 2", 1, "version takes 0 arguments"},
      {"repaint", 1, "repaint: no display is current"},
      {"open 1 1\nclose\nkey 19", 3, "key: no display is current"},
      {"open 1 1\nuse 1", 2, "use: there is no display 1 (1 was opened before this line)"},
      {"open 1 1\nopen 2 2\nuse 0\nclose\nuse 0", 5, "use: display 0 is closed"},
      {"open 1 1\nrepaint 1\x01", 2, "unexpected byte 0x01"},
      {"open 1 1\n\xff\xfe", 2, "unexpected byte 0xFF"},
      {"open 1 1\nlabel 1\0"s, 2, "unexpected byte 0x00"},
      {"version\n" + std::string(5000, ' ') + "version\n", 2, "line too long"},
  };
  for (const BadCase &c : cases) {
    std::vector<Command> commands;
    ScriptError error;
    EXPECT_FALSE(ParseScript(c.text, commands, error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << c.text << " -> " << error.message;
  }
}

TEST(Words, IntegersWithinTheirRange) {
  constexpr auto kHex = Digits::DecimalOrHex, kDec = Digits::Decimal;
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min(), kMax = -(kMin + 1);
  const struct {
    std::int64_t low, high;
    Digits digits;
    std::vector<std::pair<const char *, std::int64_t>> good;
    std::vector<const char *> bad;
  } ranges[] = {
      {0, 10, kDec, {{"0", 0}, {"10", 10}, {"007", 7}}, {"11", "-0", "-1", "+1", " 1", "1 ", "", "1.5", "0x1"}},
      {-5, 5, kDec, {{"-5", -5}, {"5", 5}}, {"-6", "6", "-", "--1", "18446744073709551617"}},
      {-9, -3, kDec, {{"-4", -4}}, {"4"}},
      {0, 255, kHex, {{"0x1F", 31}, {"0XaB", 171}, {"0xff", 255}, {"12", 12}}, {"0x100", "0x", "0xg", "-1"}},
      {-16, 0, kHex, {{"-0x10", -16}}, {"-0x11"}},
      {kMin, kMax, kDec, {{"9223372036854775807", kMax}, {"-9223372036854775808", kMin}}, {"99999999999999999999"}},
  };
  std::int64_t value = 0;
  for (const auto &r : ranges) {
    for (const auto &[text, expected] : r.good)
      EXPECT_TRUE(ReadInteger(text, r.low, r.high, value, r.digits) && value == expected) << text;
    for (const char *text : r.bad) EXPECT_FALSE(ReadInteger(text, r.low, r.high, value, r.digits)) << text;
  }
  EXPECT_EQ(value, kMin);  // what the last good read gave: refused reads keep it
}

TEST(Words, DecimalFractions) {
  double value = 0;
  for (const char *good : {"0.05", ".5", "5e-2", "1"}) EXPECT_TRUE(ReadDecimal(good, 0.001, 1, value)) << good;
  for (const char *bad : {"0", "1.0001", "nan", "inf", "+0.5", "0.5 ", "", "0x0.1p0"})
    EXPECT_FALSE(ReadDecimal(bad, 0.001, 1, value)) << bad;
  EXPECT_EQ(value, 1.0);
}

}  // namespace
}  // namespace standin
