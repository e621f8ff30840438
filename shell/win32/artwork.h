#pragma once

#include <windows.h>

#include <string_view>

namespace shell::win32 {

// The pictures a program carries as resources (PNG or JPEG, named like the artwork file in
// capitals, "arrow-left" as ARROW_LEFT), decoded with what Windows has: WIC. COM must be
// initialised on the thread.
//
// A 32-bit top-down bitmap with straight alpha; null when the resource is missing or unreadable.
HBITMAP LoadPicture(std::string_view name, SIZE& size);
// The same picture as an icon, for buttons and list rows.
HICON LoadGlyph(std::string_view name);

}  // namespace shell::win32
