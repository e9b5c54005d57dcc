#include "apps/run/pictures.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "standin/images/png_writer.h"
#include "standin/images/zoom.h"

namespace apps {

namespace fs = std::filesystem;

namespace {

// A new folder in `parent` named `prefix` and six random letters or digits;
// false with `error` when none can be made.
bool MakeUniqueFolder(const fs::path &parent, const std::string &prefix, std::string &made, std::string &error) {
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
  std::error_code failed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += letters[letter(pick)];
    const fs::path path = parent / name;
    if (fs::create_directory(path, failed)) {
      made = path.string();
      return true;
    }
    if (failed) break;
  }
  error = parent.string() + ": " + (failed ? failed.message() : "cannot make a folder");
  return false;
}

}  // namespace

std::unique_ptr<Pictures> Pictures::Create(const PictureOptions &options, std::string &error) {
  std::unique_ptr<Pictures> pictures(new Pictures(options));
  pictures->renderer_ = Renderer::Create(error);
  if (!pictures->renderer_) return nullptr;
  if (!options.pngDir.empty()) {
    std::error_code failed;
    pictures->madeDir_ = !fs::exists(options.pngDir, failed);
    fs::create_directories(options.pngDir, failed);
    if (failed || !fs::is_directory(options.pngDir)) {
      error = options.pngDir + ": cannot make the folder" + (failed ? ": " + failed.message() : "");
      return nullptr;
    }
    if (!MakeUniqueFolder(options.pngDir, ".velbrik-", pictures->stagingDir_, error)) return nullptr;
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
  auto picture = renderer_->Open(width, height, surface, error);
  if (!picture) return "open: a " + std::to_string(width) + "x" + std::to_string(height) + " display: " + error;
  // Kept even when the open fails below: it is attached to the surface.
  if (static_cast<int>(displays_.size()) <= display) displays_.resize(display + 1);
  displays_[display].picture = std::move(picture);
  const std::int64_t zoomed = std::int64_t{width} * height * options_.zoom * options_.zoom;
  if (zoomed > standin::kMaxZoomPixels)
    return "open: a " + std::to_string(width) + "x" + std::to_string(height) + " display zoomed " +
           std::to_string(options_.zoom) + " times is too large a picture";
  if (gif_ && gifDisplay_ < 0 && width > 0 && height > 0) gifDisplay_ = display;
  return {};
}

std::string Pictures::Repainted(int display) {
  Display &d = displays_.at(display);
  const std::int64_t index = d.repaints++;
  const bool toGif = gif_ && display == gifDisplay_;
  if (index % options_.every != 0 || (stagingDir_.empty() && !toGif)) return {};
  const standin::Image picture = Zoom(d.picture->Frame(), options_.zoom);
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
  if (toGif) {
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
