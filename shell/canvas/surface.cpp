#include "shell/canvas/surface.h"

namespace shell {

Surface::Surface(int width, int height, Rgb background)
    : background_(background),
      retained_(width, height, background),
      screen_(width, height, background) {}

void Surface::SetPresentationMode(PresentationMode mode) {
  Present();
  mode_ = mode;
  Changed();
}

void Surface::Clear() {
  if (mode_ == PresentationMode::Deferred) {
    retained_.Fill(background_);
    retained_changed_ = true;
  } else {
    screen_ = retained_;
    ++screen_changes_;
  }
  Changed();
}

void Surface::FillBox(int x1, int y1, int x2, int y2, Rgb colour) {
  Target().FillBox(x1, y1, x2, y2, colour);
  if (mode_ == PresentationMode::Deferred) {
    retained_changed_ = true;
  } else {
    ++screen_changes_;
  }
  Changed();
}

void Surface::SetPixel(int x, int y, Rgb colour) {
  Target().SetPixel(x, y, colour);
  if (mode_ == PresentationMode::Deferred) {
    retained_changed_ = true;
  } else {
    ++screen_changes_;
  }
  Changed();
}

void Surface::Present() {
  if (mode_ == PresentationMode::Deferred && retained_changed_) {
    screen_ = retained_;
    retained_changed_ = false;
    ++screen_changes_;
  }
}

}  // namespace shell
