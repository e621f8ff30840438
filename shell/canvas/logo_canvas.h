#pragma once

#include <optional>

#include "shell/base/rgb.h"
#include "shell/canvas/surface.h"

namespace shell {

inline constexpr Rgb kScreenColor{123, 189, 110};
inline constexpr Rgb kDotColor{0, 0, 0};
inline constexpr Rgb kGridColor{120, 120, 120};

// One dot is a 5 x 5 square inside a 6-pixel cell whose 1-pixel grid lines it touches.
inline constexpr int kCellPitch = 6;
inline constexpr int kBigScreenWidth = 84 * kCellPitch + 1;   // 505
inline constexpr int kBigScreenHeight = 48 * kCellPitch + 1;  // 289
inline constexpr int kPreviewWidth = 84;
inline constexpr int kPreviewHeight = 48;

// The square of dot (column, row) of a picture whose top-left grid corner is (ox, oy).
struct CellSquare {
  int left;
  int top;
  int right;   // included
  int bottom;  // included
};
constexpr CellSquare CellSquareOf(int ox, int oy, int column, int row) {
  const int left = ox + kCellPitch * column + 1;
  const int top = oy + kCellPitch * row + 1;
  return {left, top, left + kCellPitch - 2, top + kCellPitch - 2};
}

// The big screen, where each dot is a cell on a grid, and optionally the actual-size preview.
class LogoCanvas {
 public:
  enum class Preview { None, Present };

  explicit LogoCanvas(Preview preview);

  Surface& BigScreen() { return big_screen_; }
  const Surface& BigScreen() const { return big_screen_; }
  Surface* PreviewSurface() { return preview_ ? &*preview_ : nullptr; }
  const Surface* PreviewSurface() const { return preview_ ? &*preview_ : nullptr; }

  // The big screen first, then the preview.
  void ClearCanvas();
  void SetPresentationMode(PresentationMode mode);
  void Present();

  // The grid of a width x height picture whose top-left grid corner is (ox, oy): all vertical
  // lines left to right, then the horizontal ones top to bottom. Lines include their end pixel,
  // so the frame is closed at the bottom-right corner too.
  void DrawGrid(int ox, int oy, int width, int height, Rgb grid);
  // The 5 x 5 square of dot (column, row) of the picture at (ox, oy).
  void FillCell(int ox, int oy, int column, int row, Rgb dot);

  // Preview pixel (column, row) in the preview's foreground colour, or in the given one.
  void SetPreviewDot(int column, int row);
  void SetPreviewDot(int column, int row, Rgb colour);
  // The foreground is the system's window-text colour; the window layer passes it in.
  void SetPreviewForeground(Rgb colour) { preview_foreground_ = colour; }

 private:
  Surface big_screen_;
  std::optional<Surface> preview_;
  Rgb preview_foreground_ = kDotColor;
};

}  // namespace shell
