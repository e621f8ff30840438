#include "nlm/show_nlm.h"

#include <cmath>

#include "nlm/nlm_file.h"

namespace nlm {

namespace {

const std::string& NameOf(NlmKind kind, const shell::PloverTexts& texts) {
  switch (kind) {
    case NlmKind::OperatorLogo:
      return texts.OperatorLogoName;
    case NlmKind::PictureMessage:
      return texts.PictureMessageName;
    case NlmKind::StartupLogo:
      break;
  }
  return texts.StartupLogoName;
}

}  // namespace

int CentredOrigin(int screen_size, int picture_dots) {
  const double span = shell::kCellPitch * picture_dots + 1;
  // The default rounding mode takes a half to the even neighbour.
  return static_cast<int>(std::nearbyint(screen_size / 2.0 - span / 2.0));
}

void ShowNlmFile(const NlmShow& show) {
  try {
    const NlmPicture picture = DecodeNlmFile(show.CurrentFilePath);
    const NlmLayout* layout = &picture.layout;
    show.SetLabel1(NameOf(layout->kind, show.texts));
    int ox = 0;
    int oy = 0;
    if (layout->kind != NlmKind::StartupLogo) {
      const shell::Surface& screen = show.canvas.BigScreen();
      ox = CentredOrigin(screen.Width(), layout->width);
      oy = CentredOrigin(screen.Height(), layout->height);
    }
    show.canvas.DrawGrid(ox, oy, layout->width, layout->height, shell::kGridColor);
    const shell::DotPicture& dots = picture.dots;
    for (int row = 0; row < dots.Height(); ++row) {
      for (int column = 0; column < dots.Width(); ++column) {
        if (dots.At(column, row)) {
          show.canvas.FillCell(ox, oy, column, row, shell::kDotColor);
        }
      }
    }
  } catch (const shell::FileAccessError& error) {
    show.canvas.ClearCanvas();
    show.SetLabel1({});
    show.failures.Report(error.Failure());
  }
}

}  // namespace nlm
