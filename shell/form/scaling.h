#pragma once

#include "shell/form/control_table.h"

namespace shell {

// The control table on a screen of that scale (96 dpi = 1), in device pixels.
//
// Every edge of the table is scaled and rounded half up on its own, and a size is the distance
// between the two scaled edges. Rounding keeps the order of edges: controls that touch still
// touch, none comes to overlap another, and edges in line stay in line; two controls of one
// size may come out a pixel apart in size, which nobody sees, rather than out of line.
int Scaled(int length, double scale);

struct ScaledPlace {
  int left, top, width, height;
  friend bool operator==(const ScaledPlace&, const ScaledPlace&) = default;
};
ScaledPlace PlaceAtScale(const ControlSpec& spec, double scale);

// The pixel height of a font of that point size (72 points an inch, 96 dpi at scale 1), rounded.
int FontPixels(double points, double scale);

// How many times its own size a glyph is shown: the artwork has renderings at once and twice the
// size, and a glyph is never stretched, so a screen between gets the smaller one.
int GlyphFactor(double scale);

}  // namespace shell
