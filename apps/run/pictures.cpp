#include "apps/run/pictures.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "standin/images/png_writer.h"
#include "standin/images/zoom.h"

namespace apps {

namespace fs = std::filesystem;

std::unique_ptr<Pictures> Pictures::Create(const PictureOptions &options, std::string &error) {
  std::unique_ptr<Pictures> pictures(new Pictures(options));
  pictures->font_ = standin::Font::LoadDefault(error);
  if (!pictures->font_) return nullptr;
  if (!options.pngDir.empty()) {
    std::error_code failed;
    pictures->madeDir_ = !fs::exists(options.pngDir, failed);
    fs::create_directories(options.pngDir, failed);
    if (failed || !fs::is_directory(options.pngDir)) {
      error = options.pngDir + ": cannot make the folder" + (failed ? ": " + failed.message() : "");
      return nullptr;
    }
    std::string staging = (fs::path(options.pngDir) / ".velbrik-XXXXXX").string();
    if (!mkdtemp(staging.data())) {
      error = options.pngDir + ": " + std::strerror(errno);
      return nullptr;
    }
    pictures->stagingDir_ = staging;
  }
  if (!options.gifPath.empty()) {
    pictures->gifFile_ = OutputFile::Open(options.gifPath, error);
    if (!pictures->gifFile_) return nullptr;
    pictures->gif_ = std::make_unique<standin::GifWriter>(pictures->gifFile_->Stream());
  }
  return pictures;
}

Pictures::~Pictures() {
  gif_.reset();
  std::error_code ignored;
  if (!stagingDir_.empty()) fs::remove_all(stagingDir_, ignored);
  if (madeDir_ && !committed_) fs::remove(options_.pngDir, ignored);  // only if empty
}

void Pictures::Attach(standin::Session &session) {
  session.OnDisplayOpened([this](int display, int width, int height, standin::Surface &surface) {
    return Opened(display, width, height, surface);
  });
  session.OnRepainted([this](int display) { return Repainted(display); });
}

std::string Pictures::Opened(int display, int width, int height, standin::Surface &surface) {
  std::string error;
  auto raster = standin::Raster::Create(width, height, font_, error);
  if (!raster) return "open: a " + std::to_string(width) + "x" + std::to_string(height) + " display: " + error;
  const std::int64_t zoomed = std::int64_t{width} * height * options_.zoom * options_.zoom;
  if (zoomed > standin::kMaxZoomPixels)
    return "open: a " + std::to_string(width) + "x" + std::to_string(height) + " display zoomed " +
           std::to_string(options_.zoom) + " times is too large a picture";
  surface.Attach(*raster);
  if (static_cast<int>(displays_.size()) <= display) displays_.resize(display + 1);
  displays_[display].raster = std::move(raster);
  if (gif_ && gifDisplay_ < 0 && width > 0 && height > 0) gifDisplay_ = display;
  return {};
}

std::string Pictures::Repainted(int display) {
  Display &d = displays_.at(display);
  const std::int64_t index = d.repaints++;
  if (index % options_.every != 0) return {};
  const standin::Image picture = Zoom(d.raster->Frame(), options_.zoom);
  std::string error;
  if (!stagingDir_.empty() && picture.width > 0 && picture.height > 0) {
    char name[64];
    std::snprintf(name, sizeof name, "display%d-%06lld.png", display, static_cast<long long>(index + 1));
    const std::string path = (fs::path(stagingDir_) / name).string();
    std::FILE *out = std::fopen(path.c_str(), "wb");
    if (!out) return path + ": " + std::strerror(errno);
    const bool written = standin::WritePng(out, picture, error);
    if (std::fclose(out) != 0 && written) return path + ": write failed";
    if (!written) return path + ": " + error;
    pngs_.push_back(name);
  }
  if (gif_ && display == gifDisplay_) {
    const int delay = std::max(1, (100 + options_.fps / 2) / options_.fps);
    if (!gif_->AddFrame(picture, delay, error)) return options_.gifPath + ": " + error;
  }
  return {};
}

bool Pictures::Commit(std::string &error) {
  if (gif_) {
    if (gifDisplay_ < 0) {
      error = options_.gifPath + ": no display was repainted to record";
      return false;
    }
    if (!gif_->Finish(error)) {
      error = options_.gifPath + ": " + error;
      return false;
    }
    if (!gifFile_->Commit(error)) return false;
  }
  for (const std::string &name : pngs_) {
    std::error_code failed;
    fs::rename(fs::path(stagingDir_) / name, fs::path(options_.pngDir) / name, failed);
    if (failed) {
      error = (fs::path(options_.pngDir) / name).string() + ": " + failed.message();
      return false;
    }
  }
  committed_ = true;
  return true;
}

}  // namespace apps
