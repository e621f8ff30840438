// nokia-logo-thumbnailer SIZE INPUT OUTPUT: the freedesktop thumbnailer of both kinds of logo
// file. Draws the dots on the viewers' screen colour as a PNG no larger than SIZE on either side,
// scaled without smoothing and with its aspect kept, a grid between the dots when they are big
// enough for one. Writes only OUTPUT; for a file it cannot read it writes nothing and exits 1.
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "nlm/nlm_file.h"
#include "nsl/nsl_file.h"
#include "shell/file_failure.h"
#include "shell/folder_listing.h"
#include "shell/logo_canvas.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSmallestPitchWithGrid = 4;

QColor ColourOf(shell::Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

// NLM files begin with "NLM "; anything else is read as a startup logo, as the file's name says.
bool IsNlm(const fs::path& file) {
  if (shell::MatchesExtension(file.filename().native(), ".nlm")) {
    return true;
  }
  if (shell::MatchesExtension(file.filename().native(), ".nsl")) {
    return false;
  }
  char magic[4] = {};
  std::ifstream(file, std::ios::binary).read(magic, sizeof magic);
  return std::string(magic, sizeof magic) == "NLM ";
}

shell::DotPicture Decode(const fs::path& file) {
  return IsNlm(file) ? nlm::DecodeNlmFile(file).dots : nsl::ReadNslFile(file);
}

QImage Draw(const shell::DotPicture& dots, int size) {
  // With a grid the picture is one pixel wider than its cells, for the closing line.
  const bool grid = (size - 1) / dots.Width() >= kSmallestPitchWithGrid;
  const int pitch = std::max(1, grid ? (size - 1) / dots.Width() : size / dots.Width());
  const int extra = grid ? 1 : 0;  // the closing grid line
  QImage image(dots.Width() * pitch + extra, dots.Height() * pitch + extra, QImage::Format_RGB32);
  image.fill(ColourOf(shell::kScreenColor));
  QPainter painter(&image);
  if (grid) {
    painter.setPen(ColourOf(shell::kGridColor));
    for (int c = 0; c <= dots.Width(); ++c) {
      painter.drawLine(c * pitch, 0, c * pitch, dots.Height() * pitch);
    }
    for (int r = 0; r <= dots.Height(); ++r) {
      painter.drawLine(0, r * pitch, dots.Width() * pitch, r * pitch);
    }
  }
  for (int r = 0; r < dots.Height(); ++r) {
    for (int c = 0; c < dots.Width(); ++c) {
      if (dots.At(c, r)) {
        painter.fillRect(c * pitch + extra, r * pitch + extra, pitch - extra, pitch - extra,
                         ColourOf(shell::kDotColor));
      }
    }
  }
  painter.end();
  if (image.width() > size) {  // smaller than the logo itself: fewer pixels than dots
    image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::atoi(argv[1]) <= 0) {
    std::fputs("usage: nokia-logo-thumbnailer SIZE INPUT OUTPUT\n", stderr);
    return 2;
  }
  const fs::path input(argv[2]);
  const fs::path output(argv[3]);
  try {
    const QImage thumbnail = Draw(Decode(input), std::atoi(argv[1]));
    if (!thumbnail.save(QString::fromLocal8Bit(output.c_str()), "PNG")) {
      std::error_code ignored;
      fs::remove(output, ignored);
      std::fprintf(stderr, "nokia-logo-thumbnailer: cannot write %s\n", output.c_str());
      return 1;
    }
  } catch (const shell::FileAccessError& error) {
    std::fprintf(stderr, "nokia-logo-thumbnailer: %s: %s\n", input.c_str(),
                 shell::DescribeFailure(error.Failure(), shell::Language::English).c_str());
    return 1;
  }
  return 0;
}
