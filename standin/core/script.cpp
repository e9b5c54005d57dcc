#include "standin/core/script.h"

#include <cstdio>
#include <limits>

#include "standin/core/words.h"

namespace standin {
namespace {

struct Form {
  const char *name;
  Op op;
  int minArgs;
  int maxArgs;
  const char *usage;
  bool needsDisplay;
};

const Form forms[] = {
    {"open", Op::Open, 2, 3, "open W H [MODE]", false},
    {"use", Op::Use, 1, 1, "use K", false},
    {"cursor", Op::Cursor, 1, 2, "cursor X [Y]", false},
    {"repaint", Op::Repaint, 0, 1, "repaint [N]", true},
    {"key", Op::Key, 1, 1, "key CODE", true},
    {"button", Op::Button, 2, 2, "button BT EVENT", true},
    {"label", Op::Label, 1, 1, "label BT", true},
    {"menu", Op::Menu, 0, 1, "menu [null]", true},
    {"version", Op::Version, 0, 0, "version", false},
    {"message", Op::Message, 1, 1, "message M", false},
    {"close", Op::Close, 0, 0, "close", true},
};

constexpr std::int64_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t uint32Max = std::numeric_limits<std::uint32_t>::max();

std::string Quote(std::string_view token) {
  std::string out = "'";
  out.append(token.substr(0, 40));
  if (token.size() > 40) out += "...";
  return out + "'";
}

}  // namespace

bool ParseScript(std::string_view text, std::vector<Command> &commands, ScriptError &error) {
  commands.clear();
  int lineNumber = 0;
  int opened = 0;
  int current = -1;
  std::vector<bool> closed;
  auto fail = [&](std::string message) {
    error = ScriptError{lineNumber, std::move(message)};
    return false;
  };

  while (!text.empty()) {
    ++lineNumber;
    std::string_view line = TakeLine(text);
    if (line.size() > maxLineLength)
      return fail("line too long (" + std::to_string(line.size()) + " characters, at most " +
                  std::to_string(maxLineLength) + ")");
    line = line.substr(0, line.find('#'));
    for (const char c : line) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte < 0x20 && c != '\t') || byte >= 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", byte);
        return fail(std::string("unexpected byte ") + hex + " (scripts are plain text)");
      }
    }

    const std::vector<std::string_view> tokens = SplitWords(line);
    if (tokens.empty()) continue;

    const Form *form = nullptr;
    for (const Form &f : forms)
      if (tokens[0] == f.name) form = &f;
    if (!form) return fail("unknown command " + Quote(tokens[0]));
    const int args = static_cast<int>(tokens.size()) - 1;
    if (args < form->minArgs || args > form->maxArgs)
      return fail(
          std::string(form->name) + " takes " +
          (form->minArgs == form->maxArgs ? std::to_string(form->minArgs)
                                          : std::to_string(form->minArgs) + " to " + std::to_string(form->maxArgs)) +
          (form->maxArgs == 1 ? " argument" : " arguments") + " (" + form->usage + "), got " + std::to_string(args));

    Command command{form->op};
    command.line = lineNumber;
    // Reads argument `index` into `value` within [low, high].
    auto number = [&](int index, const char *what, std::int64_t low, std::int64_t high, std::int64_t &value) {
      const std::string_view token = tokens[index];
      if (ReadInteger(token, low, high, value, Digits::DecimalOrHex)) return true;
      error =
          ScriptError{lineNumber, std::string(form->name) + ": " + what + " must be a number from " +
                                      std::to_string(low) + " to " + std::to_string(high) + ", got " + Quote(token)};
      return false;
    };

    switch (form->op) {
      case Op::Open:
        if (!number(1, "W", 0, 65535, command.a) || !number(2, "H", 0, 65535, command.b)) return false;
        if (args == 3 && !number(3, "MODE", 1, int32Max, command.c)) return false;
        break;
      case Op::Use:
        if (!number(1, "K", 0, int32Max, command.a)) return false;
        break;
      case Op::Cursor:
        if (!number(1, "X", int32Min, int32Max, command.a)) return false;
        if (args == 2 && !number(2, "Y", int32Min, int32Max, command.b)) return false;
        break;
      case Op::Repaint:
        command.a = 1;
        if (args == 1 && !number(1, "N", 0, maxRepaints, command.a)) return false;
        break;
      case Op::Key:
        if (!number(1, "CODE", 0, uint32Max, command.a)) return false;
        break;
      case Op::Button:
        if (!number(1, "BT", int32Min, int32Max, command.a) || !number(2, "EVENT", int32Min, int32Max, command.b))
          return false;
        break;
      case Op::Label:
        if (!number(1, "BT", int32Min, int32Max, command.a)) return false;
        break;
      case Op::Menu:
        if (args == 1) {
          if (tokens[1] != "null") return fail("menu: the only argument it takes is 'null', got " + Quote(tokens[1]));
          command.op = Op::MenuNull;
        }
        break;
      case Op::Message:
        if (!number(1, "M", 0, uint32Max, command.a)) return false;
        if (command.a == 1) return fail("message: M must not be 1 (opening a display is 'open W H')");
        break;
      default: break;
    }

    if (form->needsDisplay && current < 0)
      return fail(std::string(form->name) + ": no display is current (open one, or use one that is open)");
    if (command.op == Op::Open) {
      current = opened++;
      closed.push_back(false);
    } else if (command.op == Op::Use) {
      if (command.a >= opened)
        return fail("use: there is no display " + std::to_string(command.a) + " (" + std::to_string(opened) +
                    (opened == 1 ? " was" : " were") + " opened before this line)");
      const int display = static_cast<int>(command.a);  // below `opened`
      if (closed[display]) return fail("use: display " + std::to_string(display) + " is closed");
      current = display;
    } else if (command.op == Op::Close) {
      closed[current] = true;
      current = -1;
    }
    commands.push_back(command);
  }
  return true;
}

}  // namespace standin
