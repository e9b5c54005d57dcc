#include "apps/common/options.h"

#include "standin/core/words.h"

namespace apps {

CommandLine ParseCommandLine(std::span<const Option> table, std::span<const char *const> arguments) {
  CommandLine line;
  const auto fail = [](const std::string &message) {
    CommandLine failed;
    failed.error = message;
    return failed;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--") {
      line.operands.insert(line.operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                           arguments.end());
      break;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      line.operands.push_back(argument);
      continue;
    }
    // The option's spelling as written ("--name" or "-x"), and a value joined to it.
    const bool isLong = argument[1] == '-';
    const std::size_t joint = isLong ? argument.find('=') : 2;
    const std::string_view spelling = argument.substr(0, joint);
    const Option *option = nullptr;
    for (const Option &o : table)
      if (isLong ? spelling.substr(2) == o.name : (o.letter != 0 && argument[1] == o.letter)) option = &o;
    if (!option) return fail("unknown option '" + std::string(isLong ? argument : spelling) + "'");
    OptionUse use{option, {}};
    if (joint < argument.size()) {
      if (!option->takesValue) return fail("option '" + std::string(spelling) + "' takes no value");
      use.value = argument.substr(joint + (isLong ? 1 : 0));
    } else if (option->takesValue) {
      if (i + 1 == arguments.size()) return fail("option '" + std::string(spelling) + "' needs a value");
      use.value = arguments[++i];
    }
    line.options.push_back(use);
  }
  return line;
}

bool ReadSize(std::string_view text, int low, int high, int &width, int &height) {
  const std::size_t x = text.find('x');
  return x != std::string_view::npos && standin::ReadInteger(text.substr(0, x), low, high, width) &&
         standin::ReadInteger(text.substr(x + 1), low, high, height);
}

}  // namespace apps
