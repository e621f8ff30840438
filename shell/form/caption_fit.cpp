#include "shell/form/caption_fit.h"

#include <algorithm>
#include <cmath>

namespace shell {

namespace {

constexpr double kSmallestPointSize = 6.0;
constexpr double kStep = 0.25;

}  // namespace

double FittingPointSize(double design_size, double label_width,
                        const std::function<double(double point_size)>& width_at) {
  const double design_width = width_at(design_size);
  if (design_width <= label_width) {
    return design_size;
  }
  // Text width grows with the size, so one measurement gives the size that nearly fits.
  double size = std::max(kSmallestPointSize,
                         std::floor(design_size * label_width / design_width / kStep) * kStep);
  while (size > kSmallestPointSize && width_at(size) > label_width) {
    size -= kStep;
  }
  return size;
}

}  // namespace shell
