// Numbers as scripts and command lines write them: every form, and the ones refused.
#include "standin/core/words.h"

#include <gtest/gtest.h>

#include <limits>

namespace standin {
namespace {

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
