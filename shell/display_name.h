#pragma once

#include <string>
#include <string_view>

namespace shell {

bool IsValidUtf8(std::string_view text);

// Appends a code point (up to U+FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t code_point);

// A file name's bytes as UTF-8 text a person can read. Names that are not valid UTF-8 come from
// old archives, most of them Polish names written on Windows, so they are read as Windows-1250.
// Only for showing: files are always opened by their bytes.
std::string ReadableName(std::string_view bytes);

}  // namespace shell
