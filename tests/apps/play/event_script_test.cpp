// Event scripts: every event form, and a clear line-numbered fault for each
// kind of bad line.
#include "apps/play/event_script.h"

#include <gtest/gtest.h>

namespace play {
namespace {

TEST(EventScript, ReadsEveryEventForm) {
  const char *text =
      "# a comment line\n"
      "\n"
      "at 0 mouse 200 -30   # the cursor\n"
      "at 1 key shift-left N\n"
      "at 1 key shift-right r\n"
      "at 2 key F12\n"
      "at 3 click display 1 button 11\n"
      "at 3 click display 0 button SEL\n"
      "at 4 click 40 50\n"
      "at 5 screenshot out/a.png\n"
      "at 5 quit\n";
  std::vector<ScriptEvent> events;
  ScriptFault fault;
  ASSERT_TRUE(ParseEventScript(text, events, fault)) << fault.line << ": " << fault.message;
  ASSERT_EQ(events.size(), 9u);
  EXPECT_EQ(events[0].line, 3);
  EXPECT_EQ(events[0].action, EventAction(MouseAt{{200, -30}}));
  EXPECT_EQ(events[1].action, EventAction(KeyPress{0x31, true, false}));
  EXPECT_EQ(events[2].action, EventAction(KeyPress{0x13, false, true}));
  EXPECT_EQ(events[3].action, EventAction(KeyPress{0x58, false, false}));
  EXPECT_EQ(events[4].action, EventAction(Click{{1, Control::Kind::Side, 11}}));
  EXPECT_EQ(events[5].action, EventAction(Click{{0, Control::Kind::Host, static_cast<int>(HostButton::Select)}}));
  EXPECT_EQ(events[6].action, EventAction(ClickAt{{40, 50}}));
  EXPECT_EQ(events[7].action, EventAction(Screenshot{"out/a.png"}));
  EXPECT_EQ(events[8].action, EventAction(Quit{}));
  EXPECT_EQ(events[8].frame, 5);
  EXPECT_EQ(events[8].line, 11);
}

TEST(EventScript, BadLinesAreReportedWithTheirNumber) {
  const struct {
    const char *text;
    int line;
    const char *message;
  } cases[] = {
      {"at 1 quit\nquit\n", 2, "expected 'at FRAME EVENT', got 'quit'"},
      {"at\n", 1, "expected 'at FRAME EVENT', got 'at'"},
      {"at 2000000000 quit\n", 1, "not a frame number (0 to 1000000000)"},
      {"at 5 quit\nat 4 quit\n", 2, "frames must not go back: 4 after 5"},
      {"at 5\n", 1, "missing event after 'at 5'"},
      {"\n\nat 1 jump\n", 3, "unknown event 'jump'"},
      {"at 1 key\n", 1, "key takes [shift-left|shift-right] KEY"},
      {"at 1 key shift N\n", 1, "expected shift-left or shift-right before the key, got 'shift'"},
      {"at 1 key shift-left Nope\n", 1, "unknown key 'Nope'"},
      {"at 1 click display x button 1\n", 1, "'x' is not a display number"},
      {"at 1 click display 0 button 12\n", 1, "a button is 0 to 11, PWR, SEL or MNU, not '12'"},
      {"at 1 click display 0 button pwr\n", 1, "not 'pwr'"},
      {"at 1 click 10\n", 1, "click takes 'display D button B' or 'X Y'"},
      {"at 1 mouse 1 2 3\n", 1, "mouse takes X Y"},
      {"at 1 screenshot\n", 1, "screenshot takes one file path"},
      {"at 1 screenshot a b\n", 1, "screenshot takes one file path"},
      {"at 1 quit now\n", 1, "quit takes nothing, got 'now'"},
  };
  for (const auto &c : cases) {
    std::vector<ScriptEvent> events;
    ScriptFault fault;
    EXPECT_FALSE(ParseEventScript(c.text, events, fault)) << c.text;
    EXPECT_EQ(fault.line, c.line) << c.text;
    EXPECT_NE(fault.message.find(c.message), std::string::npos) << c.text << " gave: " << fault.message;
  }
}

TEST(EventScript, NamesOnlyDisplaysTheCockpitHas) {
  std::vector<ScriptEvent> events;
  ScriptFault fault;
  ASSERT_TRUE(ParseEventScript("at 0 click display 0 button 1\nat 1 click display 1 button PWR\n", events, fault));
  EXPECT_TRUE(CheckDisplays(events, 2, fault));
  EXPECT_FALSE(CheckDisplays(events, 1, fault));
  EXPECT_EQ(fault.line, 2);
  EXPECT_EQ(fault.message, "there is no display 1: the cockpit has 1 display (0)");
}

}  // namespace
}  // namespace play
