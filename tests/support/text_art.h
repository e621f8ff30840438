#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "shell/base/dot_picture.h"
#include "shell/base/raster.h"

namespace test_support {

// Dot rows as text, top row first: '#' a dark dot, '.' a clear one.
using Art = std::vector<std::string>;

// A file of the project's samples/ folder; the art a sample was made from (samples/art/NAME.txt).
std::filesystem::path SamplePath(const std::string& file);
Art SampleArt(const std::string& name);
Art ReadArt(const std::filesystem::path& path);
Art Blank(int width = 84, int height = 48);
Art ArtOf(const shell::DotPicture& picture);
// One character a pixel of a raster at actual size: '#' for the given colour, '.' for any other.
Art PreviewArt(const shell::Raster& preview, shell::Rgb dot);

// The 505 x 289 big screen that the geometry gives for the picture with its top-left grid
// corner at (ox, oy): lines every 6 pixels in `grid` (the screen colour for none), both end
// lines included, and each dark dot a 5 x 5 square between them.
shell::Raster ScreenOf(const Art& art, int ox, int oy, shell::Rgb grid);
// The preview of the art at actual size, in the screen colour: each dark dot one pixel in `dot`.
shell::Raster PreviewOf(const Art& art, shell::Rgb dot);
// Where two rasters differ first, or "" when they are the same.
std::string Difference(const shell::Raster& shown, const shell::Raster& expected);

}  // namespace test_support
