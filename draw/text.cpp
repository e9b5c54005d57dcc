// Texts: the line printer down the left edge, the status line with its banners,
// and the release prompt.
#include <cstdio>
#include <cstring>

#include "game/BrickMFD.h"

const char beginMarker[] = ":@BEGIN:";
int printLine = -1;

// Twenty lines fill the display's height.
int BrickMFD::LineY(int n) const { return Trunc(height * 0.05 * n); }

void BrickMFD::PrintLine(const char *text) {
  // The marker is known by its address, not its characters.
  if (text == beginMarker) {
    printLine = -1;
    return;
  }
  printLine = AddWrap(printLine, 1);
  const int length = static_cast<int>(std::strlen(text));
  PutText(0, LineY(printLine), text, length);
  if (length > 38) {
    PutTextColour(0x00FFFF);
    PrintLine("@WARNING:STRING TO LONG!");
    PutTextColour(0xFFFFFF);
  }
}

// The status texts set no colour of their own.
void BrickMFD::DrawStatus() {
  const int y = LineY(0);
  char scoreText[16];
  const int scoreLength = std::snprintf(scoreText, sizeof scoreText, "%i", score);
  PutText(0, y, " Score: ", 7);
  PutText(90, y, scoreText, scoreLength);

  char ballsText[16];
  const int ballsLength = std::snprintf(ballsText, sizeof ballsText, "%i", ballsLeft);
  PutText(width - 100, y, "Balls: ", 7);
  if (ballsLeft == -1)
    PutText(width - 20, y, "0", 1);
  else
    PutText(width - 20, y, ballsText, ballsLength);

  if (ballsLeft != -1) gameOver = false;
  if (gameOver) PutText(width / 2 - 70, height / 2, "- Game Over! -", 14);
  if (levelClear == 1) PutText(width / 2 - 70, height / 2, "- Level Clear! -", 16);
}

void BrickMFD::PrintReleasePrompt() {
  for (int i = 0; i < 10; ++i) PrintLine("");
  PutTextColour(0xFFFFFF);
  PrintLine("      Release ball! (Shift+R) ");
}
