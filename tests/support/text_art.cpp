#include "support/text_art.h"

#include <fstream>

#include "shell/canvas/logo_canvas.h"

namespace test_support {

std::filesystem::path SamplePath(const std::string& file) {
  return std::filesystem::path(KP_OWN_SAMPLES_DIR) / file;
}

Art SampleArt(const std::string& name) {
  return ReadArt(SamplePath("art/" + name + ".txt"));
}

Art ReadArt(const std::filesystem::path& path) {
  std::ifstream in(path);
  Art art;
  for (std::string line; std::getline(in, line) && !line.empty();) {
    art.push_back(line);
  }
  return art;
}

Art Blank(int width, int height) {
  return Art(std::size_t(height), std::string(std::size_t(width), '.'));
}

Art ArtOf(const shell::DotPicture& picture) {
  Art art = Blank(picture.Width(), picture.Height());
  for (int r = 0; r < picture.Height(); ++r) {
    for (int c = 0; c < picture.Width(); ++c) {
      art[std::size_t(r)][std::size_t(c)] = picture.At(c, r) ? '#' : '.';
    }
  }
  return art;
}

Art PreviewArt(const shell::Raster& preview, shell::Rgb dot) {
  Art art = Blank(preview.Width(), preview.Height());
  for (int y = 0; y < preview.Height(); ++y) {
    for (int x = 0; x < preview.Width(); ++x) {
      art[std::size_t(y)][std::size_t(x)] = preview.At(x, y) == dot ? '#' : '.';
    }
  }
  return art;
}

shell::Raster ScreenOf(const Art& art, int ox, int oy, shell::Rgb grid) {
  shell::Raster screen(505, 289, shell::kScreenColor);
  for (int y = oy; y <= oy + 6 * int(art.size()); ++y) {
    for (int x = ox; x <= ox + 6 * int(art[0].size()); ++x) {
      if ((x - ox) % 6 == 0 || (y - oy) % 6 == 0) {
        screen.SetPixel(x, y, grid);
      } else if (art[std::size_t((y - oy) / 6)][std::size_t((x - ox) / 6)] == '#') {
        screen.SetPixel(x, y, shell::kDotColor);
      }
    }
  }
  return screen;
}

shell::Raster PreviewOf(const Art& art, shell::Rgb dot) {
  shell::Raster preview(int(art[0].size()), int(art.size()), shell::kScreenColor);
  for (std::size_t y = 0; y < art.size(); ++y) {
    for (std::size_t x = 0; x < art[y].size(); ++x) {
      if (art[y][x] == '#') {
        preview.SetPixel(int(x), int(y), dot);
      }
    }
  }
  return preview;
}

std::string Difference(const shell::Raster& shown, const shell::Raster& expected) {
  if (shown.Width() != expected.Width() || shown.Height() != expected.Height()) {
    return "in size";
  }
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      if (shown.At(x, y) != expected.At(x, y)) {
        return "at pixel " + std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  return "";
}

}  // namespace test_support
