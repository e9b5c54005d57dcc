// Controls: the buttons that forward the R and S keys (the keys themselves,
// the labels and the menu, traced in full, are the digest set's).
#include <climits>

#include "tests/support/game_fixture.h"

namespace velbrik_test {
namespace {

using ControlsTest = GameTest;

// Records the keys that buttons forward: they go through the virtual operation.
class KeyLog : public BrickMFD {
 public:
  using BrickMFD::BrickMFD;
  bool ConsumeKeyBuffered(unsigned long key) override {
    keys.push_back(key);
    return BrickMFD::ConsumeKeyBuffered(key);
  }
  std::vector<unsigned long> keys;
};

TEST_F(ControlsTest, ButtonsForwardTheirKeysOnEventsWithBitZeroOnly) {
  KeyLog display(320, 200, nullptr);
  const unsigned long keys[12] = {0x1F, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x10, 0x11};
  for (int bt = 0; bt < 12; ++bt) {
    display.keys.clear();
    EXPECT_EQ(display.ConsumeButton(bt, 1), bt < 2) << bt;
    EXPECT_EQ(display.keys, std::vector<unsigned long>{keys[bt]}) << bt;
  }
  const struct { int bt, event; } ignored[] = {{0, 0}, {0, 2}, {1, 0x100}, {12, 1}, {-1, 1}, {INT_MIN, 1}};
  for (const auto &c : ignored) {
    display.keys.clear();
    EXPECT_FALSE(display.ConsumeButton(c.bt, c.event)) << c.bt << " " << c.event;
    EXPECT_TRUE(display.keys.empty());
  }
  EXPECT_TRUE(display.ConsumeButton(0, -1));
}

}  // namespace
}  // namespace velbrik_test
