#include "apps/play/event_script.h"

#include "apps/play/keys.h"
#include "standin/core/words.h"

namespace play {
namespace {

// A cursor or click position, in either direction.
bool Coordinate(std::string_view word, int &value) { return standin::ReadInteger(word, -1'000'000, 1'000'000, value); }

std::string Quoted(std::string_view word) { return "'" + std::string(word) + "'"; }

// The event of `words` (after "at FRAME"); false with `error`.
bool ParseAction(const std::vector<std::string_view> &words, EventAction &action, std::string &error) {
  const std::string_view name = words[0];
  const std::size_t count = words.size() - 1;
  if (name == "key") {
    if (count < 1 || count > 2) {
      error = "key takes [shift-left|shift-right] KEY";
      return false;
    }
    KeyPress press;
    if (count == 2) {
      press.leftShift = words[1] == "shift-left";
      press.rightShift = words[1] == "shift-right";
      if (!press.leftShift && !press.rightShift) {
        error = "expected shift-left or shift-right before the key, got " + Quoted(words[1]);
        return false;
      }
    }
    const std::string key(words[count]);
    press.key = KeyCode(key);
    if (press.key == 0) {
      error = "unknown key " + Quoted(key) + " (keys go by their names: N, R, F12, Escape, Space, Left)";
      return false;
    }
    action = press;
    return true;
  }
  if (name == "click" && count == 4 && words[1] == "display" && words[3] == "button") {
    Click click;
    std::int64_t n = 0;
    if (!standin::ReadInteger(words[2], 0, 15, n)) {
      error = Quoted(words[2]) + " is not a display number";
      return false;
    }
    click.control.display = static_cast<int>(n);
    bool host = false;
    for (int i = 0; i < kHostButtons; ++i) {
      if (words[4] != kHostButtonNames[i]) continue;
      click.control = {click.control.display, Control::Kind::Host, i};
      host = true;
    }
    if (!host) {
      if (!standin::ReadInteger(words[4], 0, kSideButtons - 1, n)) {
        error = "a button is 0 to 11, PWR, SEL or MNU, not " + Quoted(words[4]);
        return false;
      }
      click.control.index = static_cast<int>(n);
    }
    action = click;
    return true;
  }
  if (name == "click" || name == "mouse") {
    Point point;
    if (count != 2 || !Coordinate(words[1], point.x) || !Coordinate(words[2], point.y)) {
      error = name == "click" ? "click takes 'display D button B' or 'X Y'" : "mouse takes X Y (whole numbers)";
      return false;
    }
    if (name == "click")
      action = ClickAt{point};
    else
      action = MouseAt{point};
    return true;
  }
  if (name == "screenshot") {
    if (count != 1) {
      error = "screenshot takes one file path";
      return false;
    }
    action = Screenshot{std::string(words[1])};
    return true;
  }
  if (name == "quit") {
    if (count != 0) {
      error = "quit takes nothing, got " + Quoted(words[1]);
      return false;
    }
    action = Quit{};
    return true;
  }
  error = "unknown event " + Quoted(name) + " (key, click, mouse, screenshot or quit)";
  return false;
}

}  // namespace

bool ParseEventScript(std::string_view text, std::vector<ScriptEvent> &events, ScriptFault &fault) {
  events.clear();
  std::int64_t lastFrame = 0;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::string_view line = standin::TakeLine(text);
    const std::vector<std::string_view> words = standin::SplitWords(line.substr(0, line.find('#')));
    if (words.empty()) continue;
    fault.line = number;
    if (words[0] != "at" || words.size() < 2) {
      fault.message = "expected 'at FRAME EVENT', got " + Quoted(words[0]);
      return false;
    }
    ScriptEvent event;
    event.line = number;
    if (!standin::ReadInteger(words[1], 0, kMaxFrame, event.frame)) {
      fault.message = Quoted(words[1]) + " is not a frame number (0 to " + std::to_string(kMaxFrame) + ")";
      return false;
    }
    if (event.frame < lastFrame) {
      fault.message = "frames must not go back: " + std::to_string(event.frame) + " after " + std::to_string(lastFrame);
      return false;
    }
    if (words.size() < 3) {
      fault.message = "missing event after 'at " + std::string(words[1]) + "'";
      return false;
    }
    const std::vector<std::string_view> rest(words.begin() + 2, words.end());
    if (!ParseAction(rest, event.action, fault.message)) return false;
    lastFrame = event.frame;
    events.push_back(std::move(event));
  }
  fault = {};
  return true;
}

bool CheckDisplays(const std::vector<ScriptEvent> &events, int displays, ScriptFault &fault) {
  for (const ScriptEvent &event : events) {
    const Click *click = std::get_if<Click>(&event.action);
    if (!click || click->control.display < displays) continue;
    fault.line = event.line;
    fault.message = "there is no display " + std::to_string(click->control.display) + ": the cockpit has " +
                    std::to_string(displays) + (displays == 1 ? " display (0)" : " displays (0 and 1)");
    return false;
  }
  return true;
}

}  // namespace play
