#include "shell/canvas/logo_canvas.h"

namespace shell {

LogoCanvas::LogoCanvas(Preview preview)
    : big_screen_(kBigScreenWidth, kBigScreenHeight, kScreenColor) {
  if (preview == Preview::Present) {
    preview_.emplace(kPreviewWidth, kPreviewHeight, kScreenColor);
  }
}

void LogoCanvas::ClearCanvas() {
  big_screen_.Clear();
  if (preview_) {
    preview_->Clear();
  }
}

void LogoCanvas::SetPresentationMode(PresentationMode mode) {
  big_screen_.SetPresentationMode(mode);
  if (preview_) {
    preview_->SetPresentationMode(mode);
  }
}

void LogoCanvas::Present() {
  big_screen_.Present();
  if (preview_) {
    preview_->Present();
  }
}

void LogoCanvas::DrawGrid(int ox, int oy, int width, int height, Rgb grid) {
  const int right = ox + kCellPitch * width;
  const int bottom = oy + kCellPitch * height;
  for (int i = 0; i <= width; ++i) {
    const int x = ox + kCellPitch * i;
    big_screen_.FillBox(x, oy, x, bottom, grid);
  }
  for (int j = 0; j <= height; ++j) {
    const int y = oy + kCellPitch * j;
    big_screen_.FillBox(ox, y, right, y, grid);
  }
}

void LogoCanvas::FillCell(int ox, int oy, int column, int row, Rgb dot) {
  const CellSquare square = CellSquareOf(ox, oy, column, row);
  big_screen_.FillBox(square.left, square.top, square.right, square.bottom, dot);
}

void LogoCanvas::SetPreviewDot(int column, int row) {
  SetPreviewDot(column, row, preview_foreground_);
}

void LogoCanvas::SetPreviewDot(int column, int row, Rgb colour) {
  if (preview_) {
    preview_->SetPixel(column, row, colour);
  }
}

}  // namespace shell
