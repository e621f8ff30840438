#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shell/dot_picture.h"
#include "shell/raster.h"

namespace test_support {

// Dot rows drawn as text, top row first: '#' a dark dot, '.' a clear one.
shell::DotPicture PictureFromArt(const std::vector<std::string>& rows);
shell::DotPicture PictureFromArtFile(const std::filesystem::path& path);
std::vector<std::string> ArtFromPicture(const shell::DotPicture& picture);

// The dots a big-screen raster shows for a width x height picture at (ox, oy): a cell counts as
// dark when all 25 pixels of its square have the dot colour and light when none has.
// Anything in between is drawn as '?', so a half-filled cell fails any comparison.
std::vector<std::string> ArtFromBigScreen(const shell::Raster& screen, int ox, int oy, int width,
                                          int height);
// One character a pixel of a raster at actual size: '#' for the given colour, '.' for the other.
std::vector<std::string> ArtFromPreview(const shell::Raster& preview, shell::Rgb dot);

}  // namespace test_support
