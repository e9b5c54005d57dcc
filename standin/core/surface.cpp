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

}  // namespace

Surface::Surface() { LiveSurfaces().push_back(this); }

Surface::~Surface() { std::erase(LiveSurfaces(), this); }

Surface *Surface::From(HDC hdc) {
  auto &live = LiveSurfaces();
  const auto found = std::find_if(live.begin(), live.end(), [hdc](const Surface *s) { return s->Handle() == hdc; });
  return found == live.end() || !hdc ? nullptr : *found;
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
