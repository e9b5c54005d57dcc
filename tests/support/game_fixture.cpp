#include "tests/support/game_fixture.h"

namespace velbrik_test {

void GameTest::Open(int width, int height) {
  lastCursorX = 0;
  printLine = -1;
  standin::Host &host = standin::Host::Instance();
  host.Reset();
  host.SetLog(&trace);
  game = std::make_unique<BrickMFD>(width, height, host.Vessel());
  trace.lines.clear();
}

void GameTest::TearDown() {
  game.reset();
  standin::Host::Instance().Reset();
}

std::vector<std::string> GameTest::Take() {
  std::vector<std::string> lines;
  lines.swap(trace.lines);
  return lines;
}

void GameTest::RetireAllBut(int keep) {
  for (int i = 0; i < brickCount; ++i)
    if (i != keep) game->bricks[i].alive = false;
}

void GameTest::Fly(double x, double y, double vx, double vy) {
  game->ballX = x;
  game->ballY = y;
  game->ballVX = vx;
  game->ballVY = vy;
  game->ballOnPaddle = false;
  game->ballReleased = true;
}

int CountPrefix(const std::vector<std::string> &lines, const std::string &prefix) {
  int n = 0;
  for (const auto &line : lines)
    if (line.rfind(prefix, 0) == 0) ++n;
  return n;
}

::testing::AssertionResult InOrder(const std::vector<std::string> &lines, const std::vector<std::string> &expected) {
  std::size_t next = 0;
  for (const auto &line : lines)
    if (next < expected.size() && line == expected[next]) ++next;
  if (next == expected.size()) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "missing, in order: " << expected[next] << "\nin:\n";
  for (std::size_t i = 0; i < lines.size() && i < 400; ++i) failure << "  " << lines[i] << "\n";
  return failure;
}

std::vector<std::string> Without(const std::vector<std::string> &lines, const std::vector<std::string> &prefixes) {
  std::vector<std::string> kept;
  for (const auto &line : lines) {
    bool drop = false;
    for (const auto &p : prefixes) drop = drop || line.rfind(p, 0) == 0;
    if (!drop) kept.push_back(line);
  }
  return kept;
}

}  // namespace velbrik_test
