#pragma once

#include <cstdint>
#include <functional>

#include "shell/canvas/surface.h"

namespace shell {

// When a window layer puts a drawing surface on screen. A change asks for a paint when the
// system next gets to it. While the surface draws straight to the screen (Immediate), a handler
// that draws dot by dot keeps the system from getting to it, so a long run of changes is painted
// at once about once a frame: the user sees the logo grow, and the clock is read only once every
// few hundred changes.
class RepaintPacer {
 public:
  enum class Paint { Nothing, Later, Now };

  // Milliseconds from any fixed point; the steady clock unless a test gives its own.
  explicit RepaintPacer(std::function<std::int64_t()> clock = SteadyMilliseconds);

  // The surface changed: what the layer must do about it.
  Paint Changed(PresentationMode mode);
  // The layer has painted the surface.
  void Painted();

  static std::int64_t SteadyMilliseconds();

 private:
  std::function<std::int64_t()> clock_;
  bool asked_ = false;
  std::int64_t unpainted_since_ = 0;
  int changes_unpainted_ = 0;
};

}  // namespace shell
