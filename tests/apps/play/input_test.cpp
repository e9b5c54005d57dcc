// The cockpit's keyboard and mouse as the host takes them: SDL keys become PC
// scan codes, keys go by their names, Shift decides which display a key goes to, and the cursor the
// host reports follows whichever source moved last.
#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "apps/play/cursor_share.h"
#include "apps/play/keys.h"
#include "apps/play/sdl/cursor.h"
#include "apps/play/sdl/keys.h"
#include "host/MFD.h"

namespace play {
namespace {

// SDL keys become the PC keyboard's set-1 scan codes, and every key SDL has a
// code for goes by SDL's name for it, in any case (so no two keys share a code).
TEST(ScanCodes, AreThePcKeyboardsSetOneAndNameTheirKey) {
  EXPECT_EQ(ScanCode(SDL_SCANCODE_N), OAPI_KEY_N);
  EXPECT_EQ(ScanCode(SDL_SCANCODE_KP_ENTER), 0x9Cu);  // an extended key
  EXPECT_EQ(ScanCode(SDL_SCANCODE_F13), 0u);          // the host has no code for it
  EXPECT_EQ(KeyName(0x7F), "");
  for (int k = 0; k < SDL_NUM_SCANCODES; ++k) {
    const unsigned code = ScanCode(static_cast<SDL_Scancode>(k));
    if (code == 0 || code == 0x56) continue;  // SDL gives the key beside Left Shift no name
    EXPECT_EQ(KeyName(code), SDL_GetScancodeName(static_cast<SDL_Scancode>(k)));
    EXPECT_EQ(KeyCode(SDL_GetScancodeName(static_cast<SDL_Scancode>(k))), code);
  }
  EXPECT_EQ(KeyCode("left shift"), kLeftShift);
  EXPECT_EQ(KeyCode("F13"), 0u);
}

struct RouteCase {
  const char *what;
  unsigned key;
  bool left, right;
  int displays;
  KeyRoute::Kind kind;
  int display = 0;
  CockpitKey action = {};
};

// Shift sends a key to a display; keys without it belong to the cockpit.
TEST(KeyRouting, ShiftSendsAKeyToADisplayAndTheRestAreTheCockpits) {
  using K = KeyRoute::Kind;
  const unsigned kN = 0x31, kR = 0x13, kS = 0x1F, kP = 0x19, kEscape = 0x01, kF1 = 0x3B, kF12 = 0x58;
  const RouteCase cases[] = {
      {"left shift, two displays", kN, true, false, 2, K::Display, 0},
      {"right shift, two displays", kN, false, true, 2, K::Display, 1},
      {"right shift, one display", kR, false, true, 1, K::Display, 0},
      {"both shifts", kS, true, true, 2, K::Display, 0},
      {"a cockpit key with shift", kP, true, false, 2, K::Display, 0},
      {"escape with shift", kEscape, false, true, 2, K::Display, 1},
      {"a key without a code", 0, true, false, 2, K::Ignore},
      {"a shift key itself", kLeftShift, false, true, 2, K::Ignore},
      {"no shift", kN, false, false, 2, K::Ignore},
      {"F1", kF1, false, false, 2, K::Cockpit, 0, CockpitKey::Help},
      {"F12", kF12, false, false, 2, K::Cockpit, 0, CockpitKey::Screenshot},
      {"P", kP, false, false, 2, K::Cockpit, 0, CockpitKey::Pause},
      {"Escape", kEscape, false, false, 2, K::Cockpit, 0, CockpitKey::Quit},
  };
  for (const RouteCase &c : cases) {
    const KeyRoute route = RouteKey(c.key, c.left, c.right, c.displays);
    EXPECT_EQ(route.kind, c.kind) << c.what;
    EXPECT_TRUE(c.kind != K::Cockpit || route.action == c.action) << c.what;
    if (c.kind != K::Display) continue;
    EXPECT_EQ(route.display, c.display) << c.what;
    EXPECT_EQ(route.code, c.key) << c.what;
  }
}

TEST(Cursor, FollowsWhicheverSourceMovedLast) {
  CursorTracker cursor;
  cursor.Global({500, 300});
  EXPECT_EQ(cursor.Position(), (Point{500, 300}));
  cursor.OverWindow({520, 310});
  EXPECT_EQ(cursor.Position(), (Point{520, 310}));
  // A global state that has not changed is stale, not news.
  cursor.Global({500, 300});
  EXPECT_EQ(cursor.Position(), (Point{520, 310}));
  cursor.Global({40, 30});
  EXPECT_EQ(cursor.Position(), (Point{40, 30}));
}

TEST(CursorShare, TheTravelGoesToTheDisplayUnderThePointerOnly) {
  CursorShare share;
  const std::optional<int> none;
  // Each step: the pointer's x, the display it is over, and what displays 0
  // and 1 are told as they repaint in turn.
  const struct {
    int x;
    std::optional<int> over;
    int left, right;
  } steps[] = {{100, 0, 100, 100},    {140, 0, 140, 140}, {200, 1, 140, 200},
               {260, none, 200, 200}, {300, 1, 200, 240}, {250, 0, 190, 190}};
  for (const auto &step : steps) {
    EXPECT_EQ(share.ForRepaint(0, {step.x, 7}, step.over).x, step.left) << step.x;
    EXPECT_EQ(share.ForRepaint(1, {step.x, 7}, step.over).x, step.right) << step.x;
  }
}

}  // namespace
}  // namespace play
