#pragma once

#include <windows.h>

#include <string_view>

namespace shell::win32 {

// The pictures a program carries as resources, named like the artwork file in capitals
// ("arrow-left" as ARROW_LEFT).
//
// A picture carried as a plain bitmap, which loads without an image decoder (COM and WIC would
// add their start to the program's); null when the resource is missing.
HBITMAP LoadPicture(std::string_view name, SIZE& size);
// An icon at one of the sizes its file holds (size x size), for buttons and list rows; no decoder
// needed.
HICON LoadGlyph(std::string_view name, int size);

}  // namespace shell::win32
