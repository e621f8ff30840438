#pragma once

#include "shell/base/raster.h"

namespace shell {

// What a surface shows, in the device pixels of a screen of that scale (96 dpi = 1): the box the
// scale gives the surface (its logical size times the scale, rounded), in the screen colour, with
// the picture centred in it. The big screen keeps whole device pixels for every grid line and
// every dot square, the same for all cells: a grid slightly smaller than the box beats uneven
// cells. The preview keeps one whole number of pixels a dot.
Raster BigScreenAtScale(const Raster& shown, double scale);
Raster PreviewAtScale(const Raster& shown, double scale);

}  // namespace shell
