// Pictures drawn by the stand-in's own pixel surface.
#include "apps/run/renderer.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace apps {
namespace {

class RasterPicture : public DisplayPicture {
 public:
  explicit RasterPicture(std::unique_ptr<standin::Raster> raster) : raster_(std::move(raster)) {}
  const standin::Image &Frame() override { return raster_->Frame(); }

 private:
  std::unique_ptr<standin::Raster> raster_;
};

class RasterRenderer : public Renderer {
 public:
  explicit RasterRenderer(std::shared_ptr<standin::Font> font) : font_(std::move(font)) {}

  std::unique_ptr<DisplayPicture> Open(int width, int height, standin::Surface &surface, std::string &error) override {
    auto raster = standin::Raster::Create(width, height, font_, error);
    if (!raster) return nullptr;
    surface.Attach(*raster);
    return std::make_unique<RasterPicture>(std::move(raster));
  }

 private:
  std::shared_ptr<standin::Font> font_;
};

}  // namespace

std::unique_ptr<Renderer> Renderer::Create(std::string &error) {
  auto font = standin::Font::LoadDefault(error);
  if (!font) return nullptr;
  return std::make_unique<RasterRenderer>(std::move(font));
}

}  // namespace apps
