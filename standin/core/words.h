// Lines, words and numbers as the stand-in's scripts and the programs' command
// lines write them: plain ASCII, no locale, no leading '+' or spaces.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace standin {

// Takes the next line off `text` and returns it without its '\n' or a '\r' before that.
std::string_view TakeLine(std::string_view &text);

// The words of `line`: the runs of characters between spaces and tabs.
std::vector<std::string_view> SplitWords(std::string_view line);

enum class Digits { Decimal, DecimalOrHex };

// Whether the whole of `text` is a number within [low, high], read into
// `value`: decimal digits, or 0x and hex digits where `digits` allows; a
// leading '-' only where `low` is negative. `value` is kept on failure.
bool ReadInteger(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t &value,
                 Digits digits = Digits::Decimal);
bool ReadInteger(std::string_view text, int low, int high, int &value);  // decimal

// Whether the whole of `text` is a decimal fraction within [low, high]
// ("0.05", ".5", "5e-2"), read into `value`; kept on failure.
bool ReadDecimal(std::string_view text, double low, double high, double &value);

}  // namespace standin
