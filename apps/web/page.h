// The cockpit in a browser page: the same cockpit, layout and picture as the
// desktop's, with the page's input (pointer, keys, focus) applied to it and
// its picture given out as RGBA bytes for a canvas. The page calls Tick at the
// cockpit's refresh rate; everything else as events come.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "apps/play/cockpit.h"
#include "apps/play/cursor_share.h"
#include "apps/play/layout.h"
#include "apps/play/picture.h"
#include "apps/web/keys.h"

namespace play::web {

// What a key press asks of the page besides the cockpit.
enum class KeyEffect { Ignored, Used, Screenshot, ReleasePointer };

class Page {
 public:
  // `displays` (1 or 2) displays of 320 × 320; null with `error` when the module cannot be loaded.
  static std::unique_ptr<Page> Create(int displays, std::string &error);
  Page(const Page &) = delete;
  Page &operator=(const Page &) = delete;

  int Width() const { return layout_.width; }
  int Height() const { return layout_.height; }

  // One refresh: each display repainted in turn, with the cursor that the
  // pointer's travel gives it, then the picture composed; its RGBA bytes.
  const std::uint8_t *Tick();

  // The pointer at (x, y) of the canvas in screen pixels, the picture shown
  // `scale` times enlarged; `inside` false once it has left the canvas.
  void Pointer(int x, int y, int scale, bool inside);
  // The main button pressed or let go where the pointer is; true when the press hit a control.
  bool Button(bool down);
  KeyEffect KeyDown(std::string_view code);
  void KeyUp(std::string_view code);
  // Losing focus or visibility pauses; getting it back resumes what it paused.
  void Focus(bool focused);

 private:
  Page(std::shared_ptr<standin::Font> font, Layout layout, std::unique_ptr<Cockpit> cockpit);
  std::optional<Point> PicturePoint() const;

  std::shared_ptr<standin::Font> font_;
  Layout layout_;
  std::unique_ptr<Cockpit> cockpit_;
  Fonts fonts_;
  CursorShare share_;
  ShiftKeys shift_;
  Point pointer_;  // screen pixels from the canvas's top left
  int scale_ = 1;
  bool inside_ = false;
  bool focusPaused_ = false;
  std::vector<std::uint8_t> rgba_;
};

}  // namespace play::web
