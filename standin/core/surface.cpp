#include "standin/core/surface.h"

#include <algorithm>

namespace standin {
namespace {

// Surfaces alive now. A module hands back handles it was given, but a faulty one
// may pass anything; only these are drawn on.
std::vector<Surface *> &LiveSurfaces() {
  static std::vector<Surface *> live;
  return live;
}

// The surface found last: a module draws a frame's calls on one surface, so
// nearly every lookup is answered here without a search.
Surface *lastFound = nullptr;

}  // namespace

Surface::Surface() { LiveSurfaces().push_back(this); }

Surface::~Surface() {
  std::erase(LiveSurfaces(), this);
  if (lastFound == this) lastFound = nullptr;
}

Surface *Surface::From(HDC hdc) {
  if (!hdc) return nullptr;
  if (lastFound && lastFound->Handle() == hdc) return lastFound;
  auto &live = LiveSurfaces();
  const auto found = std::find_if(live.begin(), live.end(), [hdc](const Surface *s) { return s->Handle() == hdc; });
  if (found == live.end()) return nullptr;
  lastFound = *found;
  return lastFound;
}

void Surface::BeginFrame() {
  for (DrawTarget *t : targets_) t->BeginFrame();
}

void Surface::EndFrame() {
  for (DrawTarget *t : targets_) t->EndFrame();
}

void Surface::SelectPen(unsigned long index) {
  for (DrawTarget *t : targets_) t->SelectPen(index);
}

COLORREF Surface::SetTextColour(COLORREF colour) {
  const COLORREF previous = textColour_;
  textColour_ = colour;
  for (DrawTarget *t : targets_) t->SetTextColour(colour);
  return previous;
}

void Surface::TextOut(int x, int y, std::string_view text, int count) {
  for (DrawTarget *t : targets_) t->TextOut(x, y, text, count);
}

POINT Surface::MoveTo(int x, int y) {
  const POINT previous = position_;
  position_ = {x, y};
  for (DrawTarget *t : targets_) t->MoveTo(x, y);
  return previous;
}

void Surface::LineTo(int x, int y) {
  position_ = {x, y};
  for (DrawTarget *t : targets_) t->LineTo(x, y);
}

void Surface::Ellipse(int left, int top, int right, int bottom) {
  for (DrawTarget *t : targets_) t->Ellipse(left, top, right, bottom);
}

void Surface::SetPixel(int x, int y, COLORREF colour) {
  for (DrawTarget *t : targets_) t->SetPixel(x, y, colour);
}

}  // namespace standin
