#pragma once

#include "shell/base/raster.h"

namespace shell {

// What a surface shows, in the device pixels of a screen of that scale (96 dpi = 1), and where
// it goes in the box the scale gives the surface (its logical size times the scale, rounded).
// The big screen keeps whole device pixels for every grid line and every dot square, the same
// for all cells: a grid slightly smaller than the box beats uneven cells. The preview keeps one
// whole number of pixels a dot. Either is centred in its box.
struct DeviceImage {
  Raster pixels;
  int left;
  int top;
};
DeviceImage BigScreenAtScale(const Raster& shown, double scale);
DeviceImage PreviewAtScale(const Raster& shown, double scale);

}  // namespace shell
