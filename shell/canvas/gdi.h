#pragma once

#include "shell/base/rgb.h"
#include "shell/canvas/surface.h"

// The three graphics calls of the fast drawing path, with the Windows semantics the path relies
// on. The surfaces are the device contexts on every platform, so one implementation serves all.
namespace shell::gdi {

struct SolidBrush {
  Rgb colour;
};

// Left and top included, right and bottom excluded.
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

inline SolidBrush CreateSolidBrush(Rgb colour) {
  return SolidBrush{colour};
}

inline void FillRect(Surface& dc, const Rect& rect, const SolidBrush& brush) {
  if (rect.right > rect.left && rect.bottom > rect.top) {
    dc.FillBox(rect.left, rect.top, rect.right - 1, rect.bottom - 1, brush.colour);
  }
}

}  // namespace shell::gdi
