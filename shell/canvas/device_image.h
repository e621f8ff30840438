#pragma once

#include <optional>

#include "shell/base/raster.h"
#include "shell/canvas/surface.h"

namespace shell {

// What a surface shows, in the device pixels of a screen of that scale (96 dpi = 1): the box the
// scale gives the surface (its logical size times the scale, rounded), in the screen colour, with
// the picture centred in it. The big screen keeps whole device pixels for every grid line and
// every dot square, the same for all cells: a grid slightly smaller than the box beats uneven
// cells. The preview keeps one whole number of pixels a dot.
Raster BigScreenAtScale(const Raster& shown, double scale);
Raster PreviewAtScale(const Raster& shown, double scale);

// What a surface's view paints, one to one with the device pixels of its screen: the surface's
// screen image itself at scale 1, else its rendering at the scale by the big screen's or the
// preview's rule, made again only once the screen image or the scale has changed.
class ScreenAtScale {
 public:
  ScreenAtScale(const Surface& surface, bool big_screen)
      : surface_(surface), big_screen_(big_screen) {}
  const Raster& At(double scale);

 private:
  const Surface& surface_;
  bool big_screen_;
  std::optional<Raster> made_;
  double made_scale_ = 1;
  unsigned made_from_ = 0;  // the surface's screen changes it was made at
};

}  // namespace shell
