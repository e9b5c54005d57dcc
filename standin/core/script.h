// Session scripts: plain text, one command a line, that drive the stand-in host.
// `#` starts a comment; blank lines are ignored; numbers are decimal or 0x hex.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

enum class Op { Open, Use, Cursor, Repaint, Key, Button, Label, Menu, MenuNull, Version, Message, Close };

struct Command {
  Op op;
  std::int64_t a = 0;  // first argument, or 0
  std::int64_t b = 0;  // second argument, or 0
  std::int64_t c = 0;  // third argument, or 0
  int line = 0;        // where it stands in the script, from 1
};

struct ScriptError {
  int line = 0;
  std::string message;
};

inline constexpr std::int64_t maxRepaints = 1'000'000;  // in one repaint command
inline constexpr std::size_t maxLineLength = 4096;

// Parses a whole script. Besides each line's own form this checks what can be
// told before running: that `use` names a display opened earlier and not closed,
// and that commands needing a current display have one (assuming every open
// succeeds; the session checks again as it runs). Returns false and fills
// `error` at the first fault.
bool ParseScript(std::string_view text, std::vector<Command> &commands, ScriptError &error);

}  // namespace standin
