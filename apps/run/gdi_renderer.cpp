// Pictures drawn by the platform's GDI, with the font file the Linux pixel
// surface uses: beside the program, or where the Debian package puts it (as
// the compatibility layer's drive Z: shows the Linux file system).
#include <filesystem>

#include "apps/common/plugin_path.h"
#include "apps/run/renderer.h"
#include "standin/win32/gdi_target.h"

namespace apps {
namespace {

const char kFontFile[] = "DejaVuSansMono.ttf";
const char kDebianFontFile[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf";

class GdiPicture : public DisplayPicture {
 public:
  explicit GdiPicture(std::unique_ptr<standin::win32::GdiTarget> target) : target_(std::move(target)) {}
  const standin::Image &Frame() override { return target_->Frame(); }

 private:
  std::unique_ptr<standin::win32::GdiTarget> target_;
};

class GdiRenderer : public Renderer {
 public:
  explicit GdiRenderer(std::string fontFile) : fontFile_(std::move(fontFile)) {}

  std::unique_ptr<DisplayPicture> Open(int width, int height, standin::Surface &surface, std::string &error) override {
    auto target = standin::win32::GdiTarget::Attach(surface, width, height, fontFile_, error);
    if (!target) return nullptr;
    return std::make_unique<GdiPicture>(std::move(target));
  }

 private:
  std::string fontFile_;
};

}  // namespace

std::unique_ptr<Renderer> Renderer::Create(std::string &error) {
  std::error_code failed;
  for (const std::string &file : {BesideProgram(kFontFile), std::string(kDebianFontFile)})
    if (std::filesystem::exists(file, failed)) return std::make_unique<GdiRenderer>(file);
  error = std::string("no font for text: ") + kFontFile + " is neither beside this program nor at " + kDebianFontFile +
          " (the Debian package fonts-dejavu-core)";
  return nullptr;
}

}  // namespace apps
