#include "support/text_art.h"

#include <fstream>
#include <stdexcept>

#include "shell/logo_canvas.h"

namespace test_support {

shell::DotPicture PictureFromArt(const std::vector<std::string>& rows) {
  if (rows.empty()) {
    throw std::invalid_argument("empty text art");
  }
  shell::DotPicture picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int r = 0; r < picture.Height(); ++r) {
    const std::string& row = rows[static_cast<std::size_t>(r)];
    if (static_cast<int>(row.size()) != picture.Width()) {
      throw std::invalid_argument("ragged text art at row " + std::to_string(r));
    }
    for (int c = 0; c < picture.Width(); ++c) {
      picture.Set(c, r, row[static_cast<std::size_t>(c)] == '#');
    }
  }
  return picture;
}

shell::DotPicture PictureFromArtFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      rows.push_back(line);
    }
  }
  return PictureFromArt(rows);
}

std::vector<std::string> ArtFromPicture(const shell::DotPicture& picture) {
  std::vector<std::string> rows;
  for (int r = 0; r < picture.Height(); ++r) {
    std::string row;
    for (int c = 0; c < picture.Width(); ++c) {
      row += picture.At(c, r) ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> ArtFromBigScreen(const shell::Raster& screen, int ox, int oy, int width,
                                          int height) {
  std::vector<std::string> rows;
  for (int r = 0; r < height; ++r) {
    std::string row;
    for (int c = 0; c < width; ++c) {
      int dark = 0;
      for (int y = oy + 6 * r + 1; y <= oy + 6 * r + 5; ++y) {
        for (int x = ox + 6 * c + 1; x <= ox + 6 * c + 5; ++x) {
          dark += screen.At(x, y) == shell::kDotColor ? 1 : 0;
        }
      }
      row += dark == 25 ? '#' : dark == 0 ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> ArtFromPreview(const shell::Raster& preview, shell::Rgb dot) {
  std::vector<std::string> rows;
  for (int y = 0; y < preview.Height(); ++y) {
    std::string row;
    for (int x = 0; x < preview.Width(); ++x) {
      row += preview.At(x, y) == dot ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace test_support
