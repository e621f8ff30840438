#include "shell/form/scaling.h"

#include <algorithm>
#include <cmath>

namespace shell {

int Scaled(int length, double scale) {
  return static_cast<int>(std::floor(length * scale + 0.5));
}

ScaledPlace PlaceAtScale(const ControlSpec& spec, double scale) {
  const int left = Scaled(spec.left, scale);
  const int top = Scaled(spec.top, scale);
  return {left, top, Scaled(spec.left + spec.width, scale) - left,
          Scaled(spec.top + spec.height, scale) - top};
}

int FontPixels(double points, double scale) {
  return static_cast<int>(std::floor(points * 96 * scale / 72 + 0.5));
}

int GlyphFactor(double scale) { return std::clamp(static_cast<int>(scale + 1e-9), 1, 2); }

}  // namespace shell
