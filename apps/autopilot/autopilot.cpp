#include "apps/autopilot/autopilot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace standin {

void Sight::BeginFrame() {
  seen_ = Sighting{};
  pen_ = 0;
  ellipsesWithPen_ = 0;
}

void Sight::SelectPen(unsigned long index) {
  pen_ = index;
  ellipsesWithPen_ = 0;
}

void Sight::TextOut(int, int, std::string_view text, int) {
  if (text.find("Release ball") != std::string_view::npos) seen_.prompt = true;
  if (text == "- Game Over! -") seen_.gameOver = true;
  if (text == "- Level Clear! -") seen_.levelClear = true;
}

// The ball is a stack of circles drawn with pen 0, the first a point at its
// centre; the paddle's first two circles with pen 5 fill its two ends.
void Sight::Ellipse(int left, int top, int right, int) {
  const int n = ellipsesWithPen_++;
  // The frame draws the ball before moving it; a rebound draws it again
  // midway, which would spoil the motion seen from frame to frame.
  if (pen_ == 0 && n == 0 && !seen_.ball) seen_.ball = POINT{left, top};
  if (pen_ == 5 && n == 0) {
    seen_.paddleLeft = left;
    seen_.paddleTop = top;
  }
  if (pen_ == 5 && n == 1) seen_.paddleRight = right;
}

std::vector<Command> Autopilot::Next(const Sighting &seen, int line) {
  std::vector<Command> commands;
  if (seen.gameOver || seen.levelClear) {
    finished_ = true;
    return commands;
  }
  if (seen.prompt) {
    lastBall_.reset();
    commands.push_back(Command{Op::Key, 0x13, 0, line});
    return commands;
  }
  if (!seen.ball || !seen.paddleLeft || !seen.paddleRight) return commands;

  // Where the ball will be when it comes down to the paddle: follow its drawn
  // motion since the last repaint, folding it back at the side walls.
  const POINT ball = *seen.ball;
  double vx = 0, vy = 0;
  if (lastBall_) {
    vx = ball.x - lastBall_->x;
    vy = ball.y - lastBall_->y;
  }
  lastBall_ = ball;
  const bool falling = vy > 0;
  if (falling && !falling_) ++rebounds_;  // a new descent: aim somewhere else this time
  falling_ = falling;

  double landing = ball.x;
  if (falling) {
    // Close to the paddle, look one repaint ahead only: a long guess is spoilt
    // by every bounce on the way.
    const double frames = (seen.paddleTop - ball.y) / vy;
    landing += vx * std::clamp(frames < 5 ? 2.0 : frames, 0.0, 50.0);
    const double span = 2.0 * width_;
    if (span > 0) {
      landing = std::fmod(landing, span);
      if (landing < 0) landing += span;
      if (landing > width_) landing = span - landing;
    }
  }

  // Meeting the ball off centre steers it; cycling through offsets sends it
  // over the whole field.
  const int paddleWidth = *seen.paddleRight - *seen.paddleLeft;
  static const int offsets[] = {0, -3, 4, -5, 5, -2, 3, -4, 2, 1};
  const int offset = offsets[rebounds_ % std::size(offsets)] * paddleWidth / 20;
  int target = static_cast<int>(landing) - paddleWidth / 2 + offset;
  target = std::clamp(target, 0, std::max(0, width_ - paddleWidth));
  // The paddle moves by half the cursor's travel.
  const std::int64_t next = std::int64_t{cursorX_} + 2 * std::int64_t{target - *seen.paddleLeft};
  cursorX_ = static_cast<int>(std::clamp<std::int64_t>(next, INT32_MIN / 2, INT32_MAX / 2));
  commands.push_back(Command{Op::Cursor, cursorX_, 0, line});
  return commands;
}

}  // namespace standin
