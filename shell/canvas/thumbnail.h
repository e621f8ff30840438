#pragma once

#include "shell/base/dot_picture.h"
#include "shell/base/raster.h"

namespace shell {

// A logo's thumbnail for a file manager, no larger than `size` pixels on either side (size >= 1):
// the dots on the viewers' screen colour, each a square of whole pixels, with a grid between
// them once a dot has 4 pixels or more. Never smoothed: a size smaller than the logo keeps every
// n-th dot, so the aspect stays as near as whole pixels allow.
Raster Thumbnail(const DotPicture& dots, int size);

}  // namespace shell
