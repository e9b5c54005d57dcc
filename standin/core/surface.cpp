#include "standin/core/surface.h"

#include <unordered_map>

namespace standin {
namespace {

// Surfaces alive now, by handle. A module hands back handles it was given, but
// a faulty one may pass anything; only these are drawn on. Where two surfaces
// share a handle, the one registered first answers to it.
std::unordered_map<HDC, Surface *> &Live() {
  static std::unordered_map<HDC, Surface *> live;
  return live;
}

}  // namespace

Surface::Surface() { Live().try_emplace(handle_, this); }

Surface::~Surface() { Unregister(); }

void Surface::Unregister() {
  const auto found = Live().find(handle_);
  if (found != Live().end() && found->second == this) Live().erase(found);
  last_ = {nullptr, nullptr};
}

void Surface::SetHandle(HDC handle) {
  Unregister();
  handle_ = handle;
  Live().try_emplace(handle_, this);
}

Surface *Surface::Find(HDC hdc) {
  const auto found = hdc ? Live().find(hdc) : Live().end();
  if (found == Live().end()) return nullptr;
  last_ = {hdc, found->second};
  return last_.surface;
}

}  // namespace standin
