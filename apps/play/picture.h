// The cockpit picture: every panel with its bezel, buttons, labels and glass
// (the display's own pixels, its selection page or its button menu), the
// status line and the help overlay, composed in software into one image.
// The window shows exactly this image, and screenshots save it.
#pragma once

#include <string_view>

#include "apps/play/cockpit.h"
#include "apps/play/layout.h"
#include "standin/images/image.h"
#include "standin/raster/font.h"

namespace play {

struct Fonts {
  const standin::GlyphSet &small;  // labels, titles, status line
  const standin::GlyphSet &page;   // the selection and menu pages
};

// The pixel size of the page font for displays `height` pixels high.
int PageFontSize(int height);
inline constexpr int kSmallFontSize = 11;

// Where the cockpit runs, for the keys its status line and help name: a page
// has no quitting, and F5 is the browser's.
enum class Shell { Desktop, Page };

// `message`, when not empty, shows at the right of the status line.
standin::Image Compose(const Layout &layout, const Cockpit &cockpit, const Fonts &fonts, std::string_view message,
                       Shell shell = Shell::Desktop);
// The same into `image`, whose pixels are reused when it has the size already.
void Compose(standin::Image &image, const Layout &layout, const Cockpit &cockpit, const Fonts &fonts,
             std::string_view message, Shell shell = Shell::Desktop);

}  // namespace play
