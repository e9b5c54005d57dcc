#include "standin/core/words.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace standin {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view TakeLine(std::string_view &text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  for (std::size_t at = line.find_first_not_of(" \t"); at != std::string_view::npos;
       at = line.find_first_not_of(" \t", at)) {
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

bool ReadInteger(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t &value, Digits digits) {
  const bool negative = low < 0 && text.starts_with('-');
  if (negative) text.remove_prefix(1);
  unsigned base = 10;
  if (digits == Digits::DecimalOrHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  // No magnitude past the range's farthest end is read, so nothing overflows.
  const std::uint64_t limit = negative ? 0 - static_cast<std::uint64_t>(low) : static_cast<std::uint64_t>(high);
  if (!negative && high < 0) return false;
  std::uint64_t magnitude = 0;
  for (const char c : text) {
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return false;
    if (digit > limit || magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  const std::int64_t n = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  if (n < low || n > high) return false;
  value = n;
  return true;
}

bool ReadInteger(std::string_view text, int low, int high, int &value) {
  std::int64_t n = 0;
  if (!ReadInteger(text, std::int64_t{low}, std::int64_t{high}, n)) return false;
  value = static_cast<int>(n);
  return true;
}

bool ReadDecimal(std::string_view text, double low, double high, double &value) {
  // Plain decimal notation only (no sign '+', spaces, hexadecimal, inf or nan),
  // read by strtod, which every C library has for doubles (from_chars is not
  // everywhere) and which reads so in the C locale the programs keep.
  if (text.empty() || text.size() > 64 || !(IsDigit(text[0]) || text[0] == '-' || text[0] == '.')) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool exponentSign = (c == '+' || c == '-') && i > 0 && (text[i - 1] == 'e' || text[i - 1] == 'E');
    if (!IsDigit(c) && c != '.' && c != 'e' && c != 'E' && !exponentSign && !(c == '-' && i == 0)) return false;
  }
  const std::string copy(text);
  char *stop = nullptr;
  const double d = std::strtod(copy.c_str(), &stop);
  if (stop != copy.c_str() + copy.size() || !(d >= low && d <= high)) return false;
  value = d;
  return true;
}

}  // namespace standin
