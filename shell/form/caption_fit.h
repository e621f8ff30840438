#pragma once

#include <functional>

namespace shell {

// The point size at which a caption fits the width of its label: the design size when it fits
// there; otherwise the largest quarter point below it that fits, but never under 6 points. The
// face standing in for "MS Sans Serif" may be wider than the original. `width_at` measures the
// caption at a point size, in the label's pixels; it is asked as few times as it can be, since
// a font of each size costs its making.
double FittingPointSize(double design_size, double label_width,
                        const std::function<double(double point_size)>& width_at);

}  // namespace shell
