// velbrik-run under node traces only: pictures need the PNG and GIF
// libraries, which the browser build goes without. The Linux runner makes them.
#include "apps/run/pictures.h"

namespace {
const char kTracesOnly[] = "this build traces only; pictures (--png, --gif) are made by the Linux velbrik-run";
}

namespace standin {
GifWriter::~GifWriter() = default;  // never made here; Pictures' own member needs it
bool GifWriter::Available(std::string &why) {
  why = kTracesOnly;
  return false;
}
}  // namespace standin

namespace apps {

std::unique_ptr<Pictures> Pictures::Create(const PictureOptions &, std::string &error) {
  error = kTracesOnly;
  return nullptr;
}

Pictures::~Pictures() = default;
void Pictures::Attach(standin::Session &) {}
bool Pictures::Commit(std::string &) { return true; }

}  // namespace apps
