#include "tests/support/game_fixture.h"

namespace velbrik_test {

void GameTest::Open(int width, int height) {
  lastCursorX = 0;
  printLine = -1;
  standin::Host &host = standin::Host::Instance();
  host.Reset();
  host.SetLog(&trace);
  game = std::make_unique<BrickMFD>(width, height, host.Vessel());
  game->surface = surface.Handle();
  trace.lines.clear();
}

void GameTest::Fly(double x, double y, double vx, double vy) {
  game->ballX = x;
  game->ballY = y;
  game->ballVX = vx;
  game->ballVY = vy;
  game->ballOnPaddle = false;
  game->ballReleased = true;
}

std::string Text(int x, int y, const std::string &text) {
  return "[\"TextOutA\"," + std::to_string(x) + "," + std::to_string(y) + ",\"" + text + "\"," +
         std::to_string(text.size()) + "]";
}

Lines Status(const std::string &score, const std::string &balls, const Lines &banners) {
  Lines lines = {Text(0, 0, " Score:"), Text(90, 0, score), Text(220, 0, "Balls: "), Text(300, 0, balls)};
  for (const std::string &banner : banners) lines.push_back(Text(90, 100, banner));
  return lines;
}

int Count(const Lines &lines, const std::string &prefix) {
  int n = 0;
  for (const auto &line : lines) n += line.rfind(prefix, 0) == 0;
  return n;
}

::testing::AssertionResult InOrder(const Lines &lines, const Lines &expected) {
  std::size_t next = 0;
  for (const auto &line : lines) next += next < expected.size() && line == expected[next];
  if (next == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing, in order: " << expected[next];
}

}  // namespace velbrik_test
