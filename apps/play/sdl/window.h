// The desktop side: SDL's video started for the program's life, and one
// resizable window that shows the cockpit picture enlarged by a whole number,
// pixels kept sharp (nearest neighbour), on high-DPI screens too.
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
  bool Present(const standin::Image &picture, std::string &error);
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
  using RendererPtr = std::unique_ptr<SDL_Renderer, decltype(&SDL_DestroyRenderer)>;
  using TexturePtr = std::unique_ptr<SDL_Texture, decltype(&SDL_DestroyTexture)>;
  Window(WindowPtr window, RendererPtr renderer, TexturePtr texture, int width, int height)
      : window_(std::move(window)),
        renderer_(std::move(renderer)),
        texture_(std::move(texture)),
        width_(width),
        height_(height) {}
  // The picture's place in the drawable area, and drawable pixels per window unit.
  Viewport View(double &unitsX, double &unitsY) const;
  bool captured_ = false;

  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr texture_;
  int width_;
  int height_;
};

}  // namespace play
