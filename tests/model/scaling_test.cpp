#include "shell/form/scaling.h"

#include <gtest/gtest.h>

namespace {

using shell::ControlSpec;
using shell::ScaledPlace;

ControlSpec Box(int left, int top, int width, int height) {
  return {.name = "box", .kind = shell::ControlKind::Label, .left = left, .top = top,
          .width = width, .height = height};
}

// Worked by hand: each edge times the scale, rounded half up; the size between the edges.
TEST(Scaling, EveryEdgeIsScaledAndRoundedOnItsOwn) {
  const ControlSpec big_screen = Box(4, 4, 509, 293), dir1 = Box(352, 323, 161, 141);
  // Two boxes side by side: the first ends where the second begins (9 device pixels at 1.5).
  const ControlSpec first = Box(3, 0, 3, 3), second = Box(6, 0, 3, 3);
  struct Row {
    double scale;
    ScaledPlace big_screen, dir1, first, second;
    int font_825, font_975, glyph;
  };
  const Row rows[] = {
      {1, {4, 4, 509, 293}, {352, 323, 161, 141}, {3, 0, 3, 3}, {6, 0, 3, 3}, 11, 13, 1},
      {1.25, {5, 5, 636, 366}, {440, 404, 201, 176}, {4, 0, 4, 4}, {8, 0, 3, 4}, 14, 16, 1},
      {1.5, {6, 6, 764, 440}, {528, 485, 242, 211}, {5, 0, 4, 5}, {9, 0, 5, 5}, 17, 20, 1},
      {1.75, {7, 7, 891, 513}, {616, 565, 282, 247}, {5, 0, 6, 5}, {11, 0, 5, 5}, 19, 23, 1},
      {2, {8, 8, 1018, 586}, {704, 646, 322, 282}, {6, 0, 6, 6}, {12, 0, 6, 6}, 22, 26, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scale);
    EXPECT_EQ(PlaceAtScale(big_screen, row.scale), row.big_screen);
    EXPECT_EQ(PlaceAtScale(dir1, row.scale), row.dir1);
    EXPECT_EQ(PlaceAtScale(first, row.scale), row.first);
    EXPECT_EQ(PlaceAtScale(second, row.scale), row.second);
    EXPECT_EQ(shell::FontPixels(8.25, row.scale), row.font_825);
    EXPECT_EQ(shell::FontPixels(9.75, row.scale), row.font_975);
    EXPECT_EQ(shell::GlyphFactor(row.scale), row.glyph);
  }
}

}  // namespace
