// The Velbrik game display: one object per display that shows the mode. It holds
// the whole game state and runs one frame each time the host repaints it.
#pragma once

#include <cstdint>

#include "host/MFD.h"

// One brick of the field.
struct Brick {
  int x;         // left edge
  int y;         // top edge
  int w;         // width
  int h;         // height
  int hits;      // hits still needed to retire it
  unsigned pen;  // default pen it is drawn with
  bool alive;    // in play and drawn
};

const int brickCount = 60;

class BrickMFD : public MFD {
 public:
  BrickMFD(unsigned long width, unsigned long height, VESSEL *vessel);
  ~BrickMFD() override;

  void Repaint(HDC surface) override;
  bool ConsumeKeyBuffered(unsigned long key) override;
  bool ConsumeButton(int bt, int event) override;
  char *ButtonLabel(int bt) override;
  int ButtonMenu(const MFDBUTTONMENU **menu) const override;

  // Frame (frame.cpp).
  void Step(bool launch);
  void NewGame();
  double Scale() const;

  // Brick field (bricks.cpp).
  void LayoutBricks();
  void DrawBricks();
  void CountBricks();

  // Ball and paddle motion (motion.cpp).
  void TrackMouse();
  void LaunchBall();
  void RestBallOnPaddle();
  void MoveBall();
  void CollideWallsAndPaddle();

  // Brick collision (collision.cpp).
  void CollideBricks();

  // Texts (draw/text.cpp).
  int LineY(int n) const;
  void PrintLine(const char *text);
  void DrawStatus();
  void PrintReleasePrompt();

  // Paddle and ball (draw/paddle_ball.cpp).
  void DrawPaddle();
  void DrawBall();

  // Drawing onto `surface`; every one does nothing while no surface has been
  // given yet, as when the release key runs a frame before the first repaint.
  void PutText(int x, int y, const char *text, int count);
  void PutTextColour(COLORREF colour);
  void PutPen(unsigned long index);
  void PutLine(int x0, int y0, int x1, int y1);
  void PutEllipse(int left, int top, int right, int bottom);
  void PutPixel(int x, int y, COLORREF colour);

  int height;
  int width;
  HDC surface = nullptr;
  bool debugReadout = false;
  double ballX = 0, ballY = 0;
  double ballVX = 0, ballVY = 0;
  int ballRadius;
  bool ballReleased;
  int paddleBottom;
  int paddleX;
  int paddleWidth;
  int paddleHeight;
  Brick bricks[brickCount] = {};
  int ballsLeft;
  int score;
  int levelClear;
  bool gameOver;
  bool ballOnPaddle;
  bool newGamePending;
};

// Module-wide state shared by every game display.
extern int lastCursorX;           // cursor x at the previous TrackMouse of any display
extern int printLine;             // index of the last printed text line
extern const char beginMarker[];  // PrintLine resets the line counter on this very text

// The 32-bit platform's integer and conversion rules, kept exact whatever the
// values: sums wrap around, and a float that no 32-bit integer holds converts to
// the platform's "indefinite" value, the most negative integer.
inline int AddWrap(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int SubWrap(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline int Trunc(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int>(v);
  return INT32_MIN;
}
