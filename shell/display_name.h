#pragma once

#include <string>
#include <string_view>

namespace shell {

bool IsValidUtf8(std::string_view text);

// A file name's bytes as UTF-8 text a person can read. Names that are not valid UTF-8 come from
// old archives, most of them Polish names written on Windows, so they are read as Windows-1250.
// Only for showing: files are always opened by their bytes.
std::string ReadableName(std::string_view bytes);

}  // namespace shell
