#include "nsl/load_nsl.h"

#include "nsl/nsl_file.h"

namespace nsl {

namespace {

// Visits the dark dots in the file's order: band by band from the top, column by column from the
// left, and within a byte from the band's bottom row up, so that Immediate drawing shows the logo
// growing the way the phone's file lays it out.
template <typename DrawDot>
void ForEachDotInFileOrder(const shell::DotPicture& logo, DrawDot draw_dot) {
  for (int band = 0; band < kLogoHeight / kBandHeight; ++band) {
    for (int column = 0; column < kLogoWidth; ++column) {
      for (int bit = kBandHeight - 1; bit >= 0; --bit) {
        const int row = band * kBandHeight + bit;
        if (logo.At(column, row)) {
          draw_dot(column, row);
        }
      }
    }
  }
}

// Reads the logo, or clears the canvas and reports why it cannot be read.
template <typename DrawLogo>
void LoadAndDraw(const NslLoad& load, DrawLogo draw_logo) {
  try {
    draw_logo(ReadNslFile(load.CurrentFilePath));
  } catch (const shell::FileAccessError& error) {
    load.canvas.ClearCanvas();
    load.failures.Report(error.Failure());
  }
}

}  // namespace

void LoadNslBuffered(const NslLoad& load) {
  LoadAndDraw(load, [&load](const shell::DotPicture& logo) {
    const bool on_big_screen = load.drawing.ShowOnBigScreen == 1;
    if (on_big_screen) {
      load.canvas.DrawGrid(0, 0, kLogoWidth, kLogoHeight, load.drawing.GridColor);
    }
    ForEachDotInFileOrder(logo, [&](int column, int row) {
      if (on_big_screen) {
        load.canvas.FillCell(0, 0, column, row, load.drawing.DotColor);
      }
      load.canvas.SetPreviewDot(column, row);
    });
  });
}

void LoadNslDirect(const NslLoad& load) {
  LoadAndDraw(load, [&load](const shell::DotPicture& logo) {
    const bool on_big_screen = load.drawing.ShowOnBigScreen == 1;
    shell::Surface& big_screen_dc = load.canvas.BigScreen();
    ForEachDotInFileOrder(logo, [&](int column, int row) {
      if (on_big_screen) {
        const shell::CellSquare cell = shell::CellSquareOf(0, 0, column, row);
        shell::gdi::FillRect(big_screen_dc, {cell.left, cell.top, cell.right + 1, cell.bottom + 1},
                             load.drawing.DotBrush);
      }
      load.canvas.SetPreviewDot(column, row, load.drawing.DotColor);
    });
  });
}

}  // namespace nsl
