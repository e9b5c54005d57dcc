// The desktop side: SDL's video started for the program's life, and one
// resizable window that shows the cockpit picture enlarged by a whole number,
// pixels kept sharp (nearest neighbour), on high-DPI screens too. The picture
// goes to the window's own pixels (no GPU, no GL): only the parts that changed
// since the last one are scaled and sent to the screen.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

#include "apps/play/layout.h"
#include "standin/images/image.h"

namespace play {

class Video {
 public:
  // Null with the reason in `error` when there is no graphical display. The
  // desktop is found through DISPLAY (X11) or WAYLAND_DISPLAY; SDL_VIDEODRIVER,
  // when set, picks SDL's driver instead.
  static std::unique_ptr<Video> Start(std::string &error);
  ~Video();
  Video(const Video &) = delete;
  Video &operator=(const Video &) = delete;

 private:
  Video() = default;
};

class Window {
 public:
  // A window for a `width` × `height` picture shown `zoom` times enlarged; zoom
  // 0 picks the largest that fits the screen. Null with `error` on failure.
  static std::unique_ptr<Window> Open(const char *title, int width, int height, int zoom, std::string &error);

  // Shows `picture` (of the size given at Open), as large as fits the window.
  // Sends nothing when it equals the last one and the window kept its pixels.
  bool Present(const standin::Image &picture, std::string &error);
  // The window's pixels were lost or resized: the next Present sends all.
  void Invalidate() { shown_ = {}; }
  // The picture pixel under a point in window coordinates, as last presented.
  std::optional<Point> PictureAt(int x, int y) const;
  // A point in window coordinates as a point of the desktop.
  Point DesktopPoint(int x, int y) const;
  // F11: the whole screen, or back to a window.
  void ToggleFullscreen();
  // Keeps the pointer inside the window while a game is played, or lets it go.
  void Capture(bool on);
  bool Captured() const { return captured_; }
  // The picture pixel under desktop point `p`, or none outside the picture.
  std::optional<Point> PictureAtDesktop(Point p) const;

 private:
  using WindowPtr = std::unique_ptr<SDL_Window, decltype(&SDL_DestroyWindow)>;
  Window(WindowPtr window, int width, int height) : window_(std::move(window)), width_(width), height_(height) {}
  // The picture's place in the drawable area, and drawable pixels per window unit.
  Viewport View(double &unitsX, double &unitsY) const;
  // `part` of the picture into `surface` at `view`, enlarged, and the
  // surface's rectangle it covers.
  SDL_Rect Draw(SDL_Surface *surface, const Viewport &view, const standin::Image &picture, Rect part) const;
  bool captured_ = false;

  WindowPtr window_;
  int width_;
  int height_;
  standin::Image shown_;  // as last sent; empty when the window must be sent whole
  Viewport shownView_;
};

}  // namespace play
