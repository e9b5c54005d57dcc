// A player that sees only what a display draws: it watches the drawing calls of
// each repaint for the ball, the paddle and the game's texts, and answers with
// what a player would do next: move the mouse, release the ball, start over.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "standin/core/script.h"
#include "standin/core/surface.h"

namespace standin {

// What one repaint showed.
struct Sighting {
  std::optional<POINT> ball;      // the ball's drawn centre, as last drawn
  std::optional<int> paddleLeft;  // the paddle's left and right edges
  std::optional<int> paddleRight;
  int paddleTop = 0;
  bool prompt = false;      // the release prompt
  bool gameOver = false;    // "- Game Over! -"
  bool levelClear = false;  // "- Level Clear! -"
};

class Sight : public DrawTarget {
 public:
  const Sighting &Seen() const { return seen_; }

  void BeginFrame() override;
  void SelectPen(unsigned long index) override;
  void SetTextColour(COLORREF) override {}
  void TextOut(int x, int y, std::string_view text, int count) override;
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int, int, COLORREF) override {}

 private:
  Sighting seen_;
  unsigned long pen_ = 0;
  int ellipsesWithPen_ = 0;
};

class Autopilot {
 public:
  // Plays on a display `width` wide; `cursorX` is where the mouse is now.
  Autopilot(int width, int cursorX) : width_(width), cursorX_(cursorX) {}

  // The commands to give after a repaint that showed `seen`, each stamped
  // with `line`.
  std::vector<Command> Next(const Sighting &seen, int line);
  // Whether the game has ended, cleared or lost.
  bool Finished() const { return finished_; }

 private:
  int width_;
  int cursorX_;
  bool finished_ = false;
  std::optional<POINT> lastBall_;
  bool falling_ = false;
  std::uint32_t rebounds_ = 0;
};

}  // namespace standin
