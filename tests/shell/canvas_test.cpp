#include <gtest/gtest.h>

#include "shell/logo_canvas.h"

namespace {

using shell::kDotColor;
using shell::kGridColor;
using shell::kScreenColor;
using shell::LogoCanvas;
using shell::PresentationMode;
using shell::Raster;

TEST(Raster, BoxesIncludeBothCornersInEitherOrderAndAreClippedAtTheEdges) {
  Raster raster(10, 8, kScreenColor);
  raster.FillBox(3, 2, 1, 1, kDotColor);    // 3 x 2 pixels, corners given bottom-right first
  raster.FillBox(-5, -5, 0, 0, kDotColor);  // only (0, 0) is inside
  raster.FillBox(9, 7, 40, 40, kDotColor);  // only (9, 7)
  raster.FillBox(20, 1, 30, 2, kDotColor);  // wholly outside
  int dark = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside =
          (x >= 1 && x <= 3 && y >= 1 && y <= 2) || (x == 0 && y == 0) || (x == 9 && y == 7);
      EXPECT_EQ(raster.At(x, y), inside ? kDotColor : kScreenColor) << x << "," << y;
      dark += inside ? 1 : 0;
    }
  }
  EXPECT_EQ(dark, 8);
}

TEST(Canvas, TheFullGridFillsTheBigScreenAndCellsFillTheirSquaresBetweenItsLines) {
  LogoCanvas canvas(LogoCanvas::Preview::Present);
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  canvas.FillCell(0, 0, 83, 47, kDotColor);
  const Raster& image = canvas.BigScreen().Retained();
  ASSERT_EQ(image.Width(), 505);
  ASSERT_EQ(image.Height(), 289);
  for (int y = 0; y < 289; ++y) {
    for (int x = 0; x < 505; ++x) {
      // Lines every 6 pixels, (504, 288) included; the dots' squares are (1..5, 1..5) and
      // (499..503, 283..287).
      const bool line = x % 6 == 0 || y % 6 == 0;
      const bool dot = (x <= 5 && y <= 5) || (x >= 499 && y >= 283);
      ASSERT_EQ(image.At(x, y), line  ? kGridColor
                                : dot ? kDotColor
                                      : kScreenColor)
          << x << "," << y;
    }
  }
}

// What the screen shows and what the retained image holds in each presentation mode.
class PresentationModes : public testing::Test {
 protected:
  LogoCanvas canvas{LogoCanvas::Preview::Present};
  const Raster& Screen() { return canvas.BigScreen().Screen(); }
  const Raster& Retained() { return canvas.BigScreen().Retained(); }
};

TEST_F(PresentationModes, DeferredDrawingIsShownWhenTheHandlerReturnsAndClearedThere) {
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  canvas.SetPreviewDot(0, 0);
  EXPECT_EQ(Screen().At(1, 1), kScreenColor);
  canvas.Present();
  EXPECT_EQ(Screen().At(1, 1), kDotColor);
  EXPECT_EQ(canvas.PreviewSurface()->Screen().At(0, 0), kDotColor);
  canvas.ClearCanvas();
  canvas.Present();
  EXPECT_EQ(Screen(), Raster(505, 289, kScreenColor));
  EXPECT_EQ(canvas.PreviewSurface()->Screen(), Raster(84, 48, kScreenColor));
}

TEST_F(PresentationModes, ImmediateDrawsOnScreenOnlyAndAClearBringsBackTheRetainedGrid) {
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.SetPresentationMode(PresentationMode::Immediate);
  EXPECT_EQ(Screen(), Retained());  // the grid drawn before the switch is on screen
  const Raster grid = Retained();

  canvas.FillCell(0, 0, 10, 10, kDotColor);
  canvas.SetPreviewDot(10, 10, kDotColor);
  EXPECT_EQ(Screen().At(61, 61), kDotColor);
  EXPECT_EQ(Retained(), grid);
  EXPECT_EQ(canvas.PreviewSurface()->Retained().At(10, 10), kScreenColor);

  canvas.ClearCanvas();
  EXPECT_EQ(Screen(), grid);
  EXPECT_EQ(canvas.PreviewSurface()->Screen(), Raster(84, 48, kScreenColor));
}

TEST_F(PresentationModes, BackInDeferredTheScreenKeepsItsDotsUntilTheNextDeferredDrawing) {
  canvas.SetPresentationMode(PresentationMode::Immediate);
  canvas.FillCell(0, 0, 2, 2, kDotColor);
  canvas.SetPresentationMode(PresentationMode::Deferred);
  canvas.Present();
  EXPECT_EQ(Screen().At(13, 13), kDotColor);
  canvas.ClearCanvas();
  canvas.Present();
  EXPECT_EQ(Screen().At(13, 13), kScreenColor);
}

}  // namespace
