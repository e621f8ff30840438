#pragma once

#include <functional>
#include <utility>

#include "shell/base/raster.h"
#include "shell/base/rgb.h"

namespace shell {

// Deferred: drawing goes into the retained image, which the screen shows once the current event
// handler has returned. Immediate: drawing goes straight to the screen; the retained image stays
// as it was and is what a clear brings back.
enum class PresentationMode { Deferred, Immediate };

// One drawing surface: its retained image and the image its screen shows.
class Surface {
 public:
  Surface(int width, int height, Rgb background);

  int Width() const { return retained_.Width(); }
  int Height() const { return retained_.Height(); }
  PresentationMode Mode() const { return mode_; }

  // Changes nothing in the retained image. What was drawn while Deferred and not yet shown is
  // shown from then on, as it would have been when the handler returned.
  void SetPresentationMode(PresentationMode mode);

  // Deferred: fills the retained image with the background. Immediate: puts the retained image
  // back on the screen.
  void Clear();

  // Box with both corners included.
  void FillBox(int x1, int y1, int x2, int y2, Rgb colour);
  void SetPixel(int x, int y, Rgb colour);

  // Told after every change to what the screen shows, or will show once the handler returns.
  void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // Called when the event handler has returned: in Deferred mode the screen takes up everything
  // drawn into the retained image since the last call.
  void Present();

  const Raster& Retained() const { return retained_; }
  const Raster& Screen() const { return screen_; }
  // Counts the changes to Screen(), so that what is made from it knows when to be made again.
  unsigned ScreenChanges() const { return screen_changes_; }

 private:
  Raster& Target() { return mode_ == PresentationMode::Deferred ? retained_ : screen_; }

  Rgb background_;
  PresentationMode mode_ = PresentationMode::Deferred;
  Raster retained_;
  Raster screen_;
  bool retained_changed_ = false;
  unsigned screen_changes_ = 0;
  std::function<void()> listener_;

  void Changed() {
    if (listener_) {
      listener_();
    }
  }
};

}  // namespace shell
