#include "standin/win32/gdi_target.h"

#include "standin/raster/pens.h"

namespace standin::win32 {

std::unique_ptr<GdiTarget> GdiTarget::Attach(Surface &surface, int width, int height, const std::string &fontFile,
                                             std::string &error) {
  const std::vector<std::uint32_t> pens(kDefaultPens.begin(), kDefaultPens.end());
  auto canvas = GdiCanvas::Create(width, height, pens, fontFile, error);
  if (!canvas) return nullptr;
  std::unique_ptr<GdiTarget> target(new GdiTarget(std::move(canvas)));
  surface.SetHandle(static_cast<HDC>(target->canvas_->Context()));
  surface.Attach(*target);
  return target;
}

const Image &GdiTarget::Frame() {
  frame_.width = canvas_->Width();
  frame_.height = canvas_->Height();
  canvas_->ReadPixels(frame_.pixels);
  return frame_;
}

// The surface hands over exactly the characters to draw.
void GdiTarget::TextOut(int x, int y, std::string_view text, int) {
  canvas_->PutText(x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace standin::win32
