#include <gtest/gtest.h>

#include "shell/gdi.h"
#include "shell/logo_canvas.h"

namespace {

using shell::kDotColor;
using shell::kGridColor;
using shell::kScreenColor;
using shell::LogoCanvas;
using shell::PresentationMode;
using shell::Raster;
using shell::Rgb;

constexpr Rgb kRed{255, 0, 0};

int CountPixels(const Raster& raster, Rgb colour) {
  int count = 0;
  for (int y = 0; y < raster.Height(); ++y) {
    for (int x = 0; x < raster.Width(); ++x) {
      count += raster.At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

TEST(Raster, FillBoxIncludesBothCornersInEitherOrderAndClipsAtTheEdges) {
  Raster raster(10, 8, kScreenColor);
  raster.FillBox(3, 2, 1, 1, kRed);  // corners given bottom-right first
  EXPECT_EQ(CountPixels(raster, kRed), 3 * 2);
  EXPECT_EQ(raster.At(1, 1), kRed);
  EXPECT_EQ(raster.At(3, 2), kRed);
  EXPECT_EQ(raster.At(4, 2), kScreenColor);

  Raster edges(10, 8, kScreenColor);
  edges.FillBox(-5, -5, 0, 0, kRed);  // only (0, 0) is inside
  edges.FillBox(9, 7, 40, 40, kRed);  // only (9, 7) is inside
  edges.FillBox(20, 1, 30, 2, kRed);  // wholly outside
  EXPECT_EQ(CountPixels(edges, kRed), 2);
  EXPECT_EQ(edges.At(0, 0), kRed);
  EXPECT_EQ(edges.At(9, 7), kRed);
}

TEST(Grid, KestrelGridFillsTheBigScreenExactlyIncludingTheLastCorner) {
  LogoCanvas canvas(LogoCanvas::Preview::Present);
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.Present();
  const Raster& screen = canvas.BigScreen().Screen();
  ASSERT_EQ(screen.Width(), 505);
  ASSERT_EQ(screen.Height(), 289);
  for (int y = 0; y < 289; ++y) {
    for (int x = 0; x < 505; ++x) {
      const bool on_line = x % 6 == 0 || y % 6 == 0;
      ASSERT_EQ(screen.At(x, y), on_line ? kGridColor : kScreenColor) << x << "," << y;
    }
  }
  EXPECT_EQ(screen.At(504, 288), kGridColor);  // the bottom-right corner closes the frame
}

TEST(Grid, OffsetGridOfAnOperatorLogoCoversOnlyItsOwnLines) {
  LogoCanvas canvas(LogoCanvas::Preview::None);
  canvas.DrawGrid(36, 102, 72, 14, kGridColor);  // 73 vertical, 15 horizontal lines
  const Raster& image = canvas.BigScreen().Retained();
  for (int y = 0; y < 289; ++y) {
    for (int x = 0; x < 505; ++x) {
      const bool inside = x >= 36 && x <= 36 + 432 && y >= 102 && y <= 102 + 84;
      const bool on_line = inside && ((x - 36) % 6 == 0 || (y - 102) % 6 == 0);
      ASSERT_EQ(image.At(x, y), on_line ? kGridColor : kScreenColor) << x << "," << y;
    }
  }
  EXPECT_EQ(CountPixels(image, kGridColor), 73 * 85 + 15 * 433 - 73 * 15);
}

TEST(Cells, CornerCellsFillTheirSquareAndNeverTouchAGridLine) {
  LogoCanvas canvas(LogoCanvas::Preview::None);
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.FillCell(0, 0, 83, 47, kDotColor);
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  const Raster& image = canvas.BigScreen().Retained();
  EXPECT_EQ(CountPixels(image, kDotColor), 2 * 25);
  for (int y = 283; y <= 287; ++y) {
    for (int x = 499; x <= 503; ++x) {
      EXPECT_EQ(image.At(x, y), kDotColor);
    }
  }
  EXPECT_EQ(image.At(1, 1), kDotColor);
  EXPECT_EQ(image.At(5, 5), kDotColor);
  EXPECT_EQ(image.At(504, 287), kGridColor);
  EXPECT_EQ(image.At(503, 288), kGridColor);
  EXPECT_EQ(image.At(498, 283), kGridColor);
  EXPECT_EQ(image.At(6, 1), kGridColor);
}

TEST(Cells, CellsOfACentredPictureMoveWithItsOrigin) {
  LogoCanvas canvas(LogoCanvas::Preview::None);
  canvas.FillCell(36, 60, 0, 0, kDotColor);  // top-left cell of a centred picture message
  const Raster& image = canvas.BigScreen().Retained();
  EXPECT_EQ(CountPixels(image, kDotColor), 25);
  EXPECT_EQ(image.At(37, 61), kDotColor);
  EXPECT_EQ(image.At(41, 65), kDotColor);
  EXPECT_EQ(image.At(42, 65), kScreenColor);
  EXPECT_EQ(image.At(36, 60), kScreenColor);
}

TEST(FastPath, FillRectLeavesOutTheRightAndBottomEdges) {
  shell::Surface surface(20, 20, kScreenColor);
  const auto brush = shell::gdi::CreateSolidBrush(kDotColor);
  shell::gdi::FillRect(surface, {1, 1, 6, 6}, brush);
  EXPECT_EQ(CountPixels(surface.Retained(), kDotColor), 25);
  EXPECT_EQ(surface.Retained().At(5, 5), kDotColor);
  EXPECT_EQ(surface.Retained().At(6, 6), kScreenColor);
  shell::gdi::FillRect(surface, {10, 10, 10, 15}, brush);  // empty
  EXPECT_EQ(CountPixels(surface.Retained(), kDotColor), 25);
}

TEST(Preview, DotsTakeTheForegroundUnlessAColourIsNamed) {
  LogoCanvas canvas(LogoCanvas::Preview::Present);
  const Rgb window_text{10, 20, 30};
  canvas.SetPreviewForeground(window_text);
  canvas.SetPreviewDot(0, 0);
  canvas.SetPreviewDot(83, 47, kDotColor);
  const Raster& preview = canvas.PreviewSurface()->Retained();
  EXPECT_EQ(preview.Width(), 84);
  EXPECT_EQ(preview.Height(), 48);
  EXPECT_EQ(preview.At(0, 0), window_text);
  EXPECT_EQ(preview.At(83, 47), kDotColor);
  EXPECT_EQ(CountPixels(preview, kScreenColor), 84 * 48 - 2);
}

TEST(Preview, ACanvasWithoutPreviewIgnoresPreviewDots) {
  LogoCanvas canvas(LogoCanvas::Preview::None);
  EXPECT_EQ(canvas.PreviewSurface(), nullptr);
  canvas.SetPreviewDot(0, 0);
  canvas.ClearCanvas();
  EXPECT_EQ(CountPixels(canvas.BigScreen().Retained(), kScreenColor), 505 * 289);
}

// What the screen shows and what the retained image holds in each presentation mode.
class PresentationModes : public testing::Test {
 protected:
  LogoCanvas canvas{LogoCanvas::Preview::Present};
  const Raster& Screen() { return canvas.BigScreen().Screen(); }
  const Raster& Retained() { return canvas.BigScreen().Retained(); }
};

TEST_F(PresentationModes, DeferredDrawingReachesTheScreenOnlyWhenTheHandlerReturns) {
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  canvas.SetPreviewDot(0, 0);
  EXPECT_EQ(Screen().At(1, 1), kScreenColor);
  EXPECT_EQ(Retained().At(1, 1), kDotColor);
  canvas.Present();
  EXPECT_EQ(Screen().At(1, 1), kDotColor);
  EXPECT_EQ(canvas.PreviewSurface()->Screen().At(0, 0), kDotColor);
}

TEST_F(PresentationModes, DeferredClearEmptiesTheRetainedImage) {
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.Present();
  canvas.ClearCanvas();
  canvas.Present();
  EXPECT_EQ(CountPixels(Retained(), kScreenColor), 505 * 289);
  EXPECT_EQ(CountPixels(Screen(), kScreenColor), 505 * 289);
}

TEST_F(PresentationModes, ImmediateDrawsOnScreenAtOnceAndClearBringsBackTheRetainedGrid) {
  canvas.ClearCanvas();
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  canvas.SetPresentationMode(PresentationMode::Immediate);
  // The grid drawn before the switch is on screen, as it would be once the handler returned.
  EXPECT_EQ(Screen(), Retained());
  EXPECT_EQ(Screen().At(6, 6), kGridColor);

  canvas.FillCell(0, 0, 10, 10, kDotColor);
  canvas.SetPreviewDot(10, 10, kDotColor);
  EXPECT_EQ(Screen().At(61, 61), kDotColor);
  EXPECT_EQ(Retained().At(61, 61), kScreenColor);
  EXPECT_EQ(canvas.PreviewSurface()->Retained().At(10, 10), kScreenColor);

  canvas.ClearCanvas();
  EXPECT_EQ(Screen(), Retained());
  EXPECT_EQ(Screen().At(6, 6), kGridColor);
  EXPECT_EQ(Screen().At(61, 61), kScreenColor);
  EXPECT_EQ(canvas.PreviewSurface()->Screen().At(10, 10), kScreenColor);
}

TEST_F(PresentationModes, SwitchingBackToDeferredKeepsTheScreenUntilTheNextDeferredDrawing) {
  canvas.SetPresentationMode(PresentationMode::Immediate);
  canvas.FillCell(0, 0, 2, 2, kDotColor);
  canvas.SetPresentationMode(PresentationMode::Deferred);
  canvas.Present();
  EXPECT_EQ(Screen().At(13, 13), kDotColor);  // nothing new was drawn into the retained image
  canvas.ClearCanvas();
  canvas.Present();
  EXPECT_EQ(Screen().At(13, 13), kScreenColor);
}

}  // namespace
