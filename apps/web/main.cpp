// The cockpit page's program: one Page, driven by the page's glue script
// (velbrik.js) through these C entry points.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "apps/web/page.h"

namespace {

std::unique_ptr<play::web::Page> page;

}  // namespace

extern "C" {

// Sets up the cockpit with `displays` displays; false (said on the console) when it cannot.
EMSCRIPTEN_KEEPALIVE bool velbrik_start(int displays) {
  std::string error;
  page = play::web::Page::Create(displays == 1 ? 1 : 2, error);
  if (!page) std::fprintf(stderr, "velbrik: %s\n", error.c_str());
  return page != nullptr;
}

EMSCRIPTEN_KEEPALIVE int velbrik_width() { return page->Width(); }
EMSCRIPTEN_KEEPALIVE int velbrik_height() { return page->Height(); }
EMSCRIPTEN_KEEPALIVE const std::uint8_t *velbrik_tick() { return page->Tick(); }
EMSCRIPTEN_KEEPALIVE void velbrik_pointer(int x, int y, int scale, bool inside) { page->Pointer(x, y, scale, inside); }
EMSCRIPTEN_KEEPALIVE bool velbrik_button(bool down) { return page->Button(down); }
// 0 ignored, 1 used, 2 a screenshot asked for, 3 the pointer to be let go.
EMSCRIPTEN_KEEPALIVE int velbrik_key_down(const char *code) { return static_cast<int>(page->KeyDown(code)); }
EMSCRIPTEN_KEEPALIVE void velbrik_key_up(const char *code) { page->KeyUp(code); }
EMSCRIPTEN_KEEPALIVE void velbrik_focus(bool focused) { page->Focus(focused); }

}  // extern "C"

int main() { return 0; }  // the page starts the cockpit once the program is loaded
