#include "apps/play/sdl/window.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "apps/play/damage.h"
#include "apps/play/options.h"

namespace play {

std::unique_ptr<Video> Video::Start(std::string &error) {
  // A click on a window without focus still presses the button under it.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The window's pixels are the platform's own (X11 shared memory), not a
  // texture drawn through GL, which costs a software GL far more.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
  if (!SDL_GetWindowSurface(window.get())) {
    error = SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<Window>(new Window(std::move(window), width, height));
}

Viewport Window::View(double &unitsX, double &unitsY) const {
  int drawableWidth = 0, drawableHeight = 0, windowWidth = 0, windowHeight = 0;
  SDL_GetWindowSizeInPixels(window_.get(), &drawableWidth, &drawableHeight);
  SDL_GetWindowSize(window_.get(), &windowWidth, &windowHeight);
  unitsX = windowWidth > 0 ? static_cast<double>(drawableWidth) / windowWidth : 1.0;
  unitsY = windowHeight > 0 ? static_cast<double>(drawableHeight) / windowHeight : 1.0;
  return Fit(width_, height_, drawableWidth, drawableHeight);
}

SDL_Rect Window::Draw(SDL_Surface *surface, const Viewport &view, const standin::Image &picture, Rect part) const {
  const int zoom = view.w / width_;
  const SDL_Rect out{view.x + part.x * zoom, view.y + part.y * zoom, part.w * zoom, part.h * zoom};
  auto *const base = static_cast<std::uint8_t *>(surface->pixels);
  const auto rowBytes = static_cast<std::size_t>(out.w) * 4;
  for (int y = part.y; y < part.Bottom(); ++y) {
    std::uint8_t *const first = base + static_cast<std::ptrdiff_t>(view.y + y * zoom) * surface->pitch + out.x * 4;
    auto *const row = reinterpret_cast<std::uint32_t *>(first);
    const std::uint32_t *const in = picture.pixels.data() + static_cast<std::ptrdiff_t>(y) * width_ + part.x;
    for (int x = 0; x < part.w; ++x) std::fill_n(row + x * zoom, zoom, in[x]);
    for (int k = 1; k < zoom; ++k)
      std::memcpy(first + static_cast<std::ptrdiff_t>(k) * surface->pitch, first, rowBytes);
  }
  return out;
}

bool Window::Present(const standin::Image &picture, std::string &error) {
  if (picture.width != width_ || picture.height != height_) {
    error = "the picture does not match the window";
    return false;
  }
  SDL_Surface *const surface = SDL_GetWindowSurface(window_.get());
  if (!surface) {
    error = SDL_GetError();
    return false;
  }
  const Viewport view = Fit(width_, height_, surface->w, surface->h);
  const bool whole = shown_.pixels.empty() || view != shownView_;
  const std::vector<Rect> parts = whole ? std::vector<Rect>{{0, 0, width_, height_}} : Changes(shown_, picture);
  if (parts.empty() || view.w <= 0) return true;
  if (whole) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x16, 0x18, 0x1A));

  std::vector<SDL_Rect> sent;
  if (view.w >= width_ && surface->format->format == SDL_PIXELFORMAT_RGB888) {
    // Whole-number scales keep every pixel sharp, and each change is enlarged alone.
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
      error = SDL_GetError();
      return false;
    }
    for (const Rect &part : parts) sent.push_back(Draw(surface, view, picture, part));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  } else {
    // Scaled down (smoothed) or to pixels of another format: the picture is
    // scaled whole, and the window's pixels around each change are sent.
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> source(
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t *>(picture.pixels.data()), width_, height_, 32,
                                           width_ * 4, SDL_PIXELFORMAT_RGB888),
        &SDL_FreeSurface);
    SDL_Rect target{view.x, view.y, view.w, view.h};
    if (!source || (SDL_SoftStretchLinear(source.get(), nullptr, surface, &target) != 0 &&
                    SDL_BlitScaled(source.get(), nullptr, surface, &target) != 0)) {
      error = SDL_GetError();
      return false;
    }
    for (const Rect &part : parts) {
      const auto x0 = std::max(view.x, view.x + static_cast<int>(std::int64_t{part.x - 1} * view.w / width_));
      const auto y0 = std::max(view.y, view.y + static_cast<int>(std::int64_t{part.y - 1} * view.h / height_));
      const auto x1 = std::min(
          view.x + view.w, view.x + static_cast<int>((std::int64_t{part.Right() + 1} * view.w + width_ - 1) / width_));
      const auto y1 =
          std::min(view.y + view.h,
                   view.y + static_cast<int>((std::int64_t{part.Bottom() + 1} * view.h + height_ - 1) / height_));
      sent.push_back({x0, y0, x1 - x0, y1 - y0});
    }
  }
  const int status = whole ? SDL_UpdateWindowSurface(window_.get())
                           : SDL_UpdateWindowSurfaceRects(window_.get(), sent.data(), static_cast<int>(sent.size()));
  if (status != 0) {
    error = SDL_GetError();
    return false;
  }
  shown_ = picture;
  shownView_ = view;
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
