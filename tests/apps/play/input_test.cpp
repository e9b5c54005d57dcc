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

TEST(ScanCodes, AreThePcKeyboardsSetOne) {
  const struct {
    SDL_Scancode key;
    unsigned code;
  } cases[] = {
      {SDL_SCANCODE_N, OAPI_KEY_N}, {SDL_SCANCODE_1, 0x02},    {SDL_SCANCODE_0, 0x0B},  {SDL_SCANCODE_ESCAPE, 0x01},
      {SDL_SCANCODE_A, 0x1E},       {SDL_SCANCODE_Z, 0x2C},    {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F10, 0x44},
      {SDL_SCANCODE_F11, 0x57},     {SDL_SCANCODE_KP_0, 0x52}, {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_KP_ENTER, 0x9C},
      {SDL_SCANCODE_UNKNOWN, 0},    {SDL_SCANCODE_F13, 0},  // keys the host has no code for
  };
  for (const auto &c : cases) EXPECT_EQ(ScanCode(c.key), c.code) << SDL_GetScancodeName(c.key);
}

TEST(ScanCodes, NameTheirKey) {
  EXPECT_EQ(KeyName(OAPI_KEY_N), "N");
  EXPECT_EQ(KeyName(0x58), "F12");
  EXPECT_EQ(KeyName(0), "");
  EXPECT_EQ(KeyName(0x7F), "");
  // Every key SDL has a code for goes by SDL's name for it, in any case (so no
  // two keys share a code).
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
  int display;
};

TEST(KeyRouting, ShiftSendsAKeyToADisplay) {
  using K = KeyRoute::Kind;
  const unsigned kN = 0x31, kR = 0x13, kS = 0x1F, kP = 0x19, kEscape = 0x01;
  const RouteCase cases[] = {
      {"left shift, two displays", kN, true, false, 2, K::Display, 0},
      {"right shift, two displays", kN, false, true, 2, K::Display, 1},
      {"right shift, one display", kR, false, true, 1, K::Display, 0},
      {"both shifts", kS, true, true, 2, K::Display, 0},
      {"a cockpit key with shift", kP, true, false, 2, K::Display, 0},
      {"escape with shift", kEscape, false, true, 2, K::Display, 1},
      {"a key without a code", 0, true, false, 2, K::Ignore, 0},
      {"a shift key itself", kLeftShift, false, true, 2, K::Ignore, 0},
      {"no shift", kN, false, false, 2, K::Ignore, 0},
  };
  for (const RouteCase &c : cases) {
    const KeyRoute route = RouteKey(c.key, c.left, c.right, c.displays);
    EXPECT_EQ(route.kind, c.kind) << c.what;
    if (c.kind != K::Display) continue;
    EXPECT_EQ(route.display, c.display) << c.what;
    EXPECT_EQ(route.code, c.key) << c.what;
  }
}

TEST(KeyRouting, KeysWithoutShiftBelongToTheCockpit) {
  const struct {
    const char *key;
    CockpitKey action;
  } cases[] = {{"F1", CockpitKey::Help},
               {"F12", CockpitKey::Screenshot},
               {"P", CockpitKey::Pause},
               {"Escape", CockpitKey::Quit}};
  for (const auto &c : cases) {
    const KeyRoute route = RouteKey(KeyCode(c.key), false, false, 2);
    EXPECT_EQ(route.kind, KeyRoute::Kind::Cockpit) << c.key;
    EXPECT_EQ(route.action, c.action) << c.key;
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
