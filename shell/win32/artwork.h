#pragma once

#include <windows.h>

#include <string_view>

namespace shell::win32 {

// The pictures a program carries as resources, named like the artwork file in capitals
// ("arrow-left" as ARROW_LEFT).
//
// A JPEG or PNG picture decoded with what Windows has, WIC, as a 32-bit top-down bitmap; null
// when the resource is missing or unreadable.
HBITMAP LoadPicture(std::string_view name, SIZE& size);
// Starts decoding that picture on a thread of its own, for the next LoadPicture of that name:
// loading the decoder takes longer than making a window, so both go on together.
void DecodeAhead(std::string_view name);
// An icon at its own size, for buttons and list rows; no decoder needed.
HICON LoadGlyph(std::string_view name);

}  // namespace shell::win32
