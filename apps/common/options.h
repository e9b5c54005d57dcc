// Command lines in the GNU style: `--name value`, `--name=value`, `-x value`
// and `-xVALUE`; `--` ends the options, and any other argument is an operand,
// wherever it stands.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace apps {

struct Option {
  std::string_view name;  // the long form, without its "--"
  char letter = 0;        // the short form, or 0 for none
  bool takesValue = false;
};

// An option as met on the command line; the views point into the arguments.
struct OptionUse {
  const Option *option = nullptr;
  std::string_view value;  // empty for an option that takes none
};

struct CommandLine {
  std::vector<OptionUse> options;  // in the order given
  std::vector<std::string_view> operands;
  std::string error;  // the first fault, in one line naming the option (and nothing else read); empty when good
};

// Reads `arguments` (those after the program's name) against `table`.
CommandLine ParseCommandLine(std::span<const Option> table, std::span<const char *const> arguments);

// The arguments of main() after the program's name.
inline std::span<const char *const> ArgumentsOf(int argc, char **argv) {
  return {argv + (argc > 0), argc > 0 ? static_cast<std::size_t>(argc - 1) : 0};
}

// Whether `text` is "WxH", each side a decimal number within [low, high].
bool ReadSize(std::string_view text, int low, int high, int &width, int &height);

}  // namespace apps
