#include "apps/play/sdl/window.h"

#include <algorithm>

#include "apps/play/options.h"

namespace play {

std::unique_ptr<Video> Video::Start(std::string &error) {
  // A click on a window without focus still presses the button under it.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Unless told otherwise, only a desktop will do: SDL would fall back to
  // drivers that show nothing (offscreen, dummy) or take over the console.
  if (!SDL_getenv("SDL_VIDEODRIVER")) {
    std::string drivers;
    if (SDL_getenv("DISPLAY")) drivers += "x11";
    if (SDL_getenv("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
    if (drivers.empty()) {
      error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
      return nullptr;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<Video>(new Video());
}

Video::~Video() { SDL_Quit(); }

std::unique_ptr<Window> Window::Open(const char *title, int width, int height, int zoom, std::string &error) {
  int windowWidth = width, windowHeight = height;
  if (zoom <= 0) {
    SDL_Rect usable{0, 0, width, height};
    SDL_GetDisplayUsableBounds(0, &usable);
    // Room is left for the window's own frame; a picture too large for the
    // screen even at its own size starts scaled down to fit.
    const Viewport fit = Fit(width, height, std::max(usable.w - 32, 1), std::max(usable.h - 64, 1));
    zoom = std::clamp(fit.w / width, 1, kMaxZoom);
    windowWidth = fit.w < width ? fit.w : width * zoom;
    windowHeight = fit.w < width ? fit.h : height * zoom;
  } else {
    windowWidth *= zoom;
    windowHeight *= zoom;
  }
  WindowPtr window(SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, windowWidth, windowHeight,
                                    SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI),
                   &SDL_DestroyWindow);
  if (!window) {
    error = SDL_GetError();
    return nullptr;
  }
  SDL_SetWindowMinimumSize(window.get(), std::min(windowWidth, 320), std::min(windowHeight, 200));
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  RendererPtr renderer(SDL_CreateRenderer(window.get(), -1, 0), &SDL_DestroyRenderer);
  if (!renderer) renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!renderer) {
    error = SDL_GetError();
    return nullptr;
  }
  // 32-bit pixels 0x00RRGGBB in native order, as standin::Image holds them.
  TexturePtr texture(
      SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height),
      &SDL_DestroyTexture);
  if (!texture) {
    error = SDL_GetError();
    return nullptr;
  }
  SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeNearest);
  return std::unique_ptr<Window>(new Window(std::move(window), std::move(renderer), std::move(texture), width, height));
}

Viewport Window::View(double &unitsX, double &unitsY) const {
  int drawableWidth = 0, drawableHeight = 0, windowWidth = 0, windowHeight = 0;
  SDL_GetRendererOutputSize(renderer_.get(), &drawableWidth, &drawableHeight);
  SDL_GetWindowSize(window_.get(), &windowWidth, &windowHeight);
  unitsX = windowWidth > 0 ? static_cast<double>(drawableWidth) / windowWidth : 1.0;
  unitsY = windowHeight > 0 ? static_cast<double>(drawableHeight) / windowHeight : 1.0;
  return Fit(width_, height_, drawableWidth, drawableHeight);
}

bool Window::Present(const standin::Image &picture, std::string &error) {
  if (picture.width != width_ || picture.height != height_) {
    error = "the picture does not match the window";
    return false;
  }
  double unitsX = 1, unitsY = 1;
  const Viewport view = View(unitsX, unitsY);
  if (SDL_UpdateTexture(texture_.get(), nullptr, picture.pixels.data(), width_ * 4) != 0) {
    error = SDL_GetError();
    return false;
  }
  SDL_SetRenderDrawColor(renderer_.get(), 0x16, 0x18, 0x1A, 0xFF);
  SDL_RenderClear(renderer_.get());
  // Whole-number scales keep every pixel sharp; a picture scaled down is smoothed.
  SDL_SetTextureScaleMode(texture_.get(), view.w >= width_ ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  const SDL_Rect target{view.x, view.y, view.w, view.h};
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &target);
  SDL_RenderPresent(renderer_.get());
  return true;
}

std::optional<Point> Window::PictureAt(int x, int y) const {
  double unitsX = 1, unitsY = 1;
  const Viewport view = View(unitsX, unitsY);
  return ToPicture(view, width_, height_, {static_cast<int>(x * unitsX), static_cast<int>(y * unitsY)});
}

void Window::ToggleFullscreen() {
  const bool full = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void Window::Capture(bool on) {
  captured_ = on;
  SDL_SetWindowGrab(window_.get(), on ? SDL_TRUE : SDL_FALSE);
}

Point Window::DesktopPoint(int x, int y) const {
  int left = 0, top = 0;
  SDL_GetWindowPosition(window_.get(), &left, &top);
  return {left + x, top + y};
}

std::optional<Point> Window::PictureAtDesktop(Point p) const {
  int left = 0, top = 0;
  SDL_GetWindowPosition(window_.get(), &left, &top);
  return PictureAt(p.x - left, p.y - top);
}

}  // namespace play
