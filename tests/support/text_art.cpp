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
  for (int i = 0, width = picture.Width(); i < width * picture.Height(); ++i) {
    art[std::size_t(i / width)][std::size_t(i % width)] = ".#"[picture.At(i % width, i / width)];
  }
  return art;
}

Art PreviewArt(const shell::Raster& preview, shell::Rgb dot) {
  Art art = Blank(preview.Width(), preview.Height());
  for (int i = 0, width = preview.Width(); i < width * preview.Height(); ++i) {
    art[std::size_t(i / width)][std::size_t(i % width)] =
        ".#"[preview.At(i % width, i / width) == dot];
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
  for (int i = 0, width = preview.Width(); i < width * preview.Height(); ++i) {
    if (art[std::size_t(i / width)][std::size_t(i % width)] == '#') {
      preview.SetPixel(i % width, i / width, dot);
    }
  }
  return preview;
}

std::string Difference(const shell::Raster& shown, const shell::Raster& expected) {
  if (shown.Width() != expected.Width() || shown.Height() != expected.Height()) {
    return "in size";
  }
  for (int i = 0, width = expected.Width(); i < width * expected.Height(); ++i) {
    if (shown.Pixels()[i] != expected.Pixels()[i]) {
      return "at pixel " + std::to_string(i % width) + "," + std::to_string(i / width);
    }
  }
  return "";
}

}  // namespace test_support
