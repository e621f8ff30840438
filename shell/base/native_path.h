#pragma once

#include <filesystem>

namespace shell {

// Paths as the system holds them: bytes on Linux, UTF-16 on Windows.
using NativeString = std::filesystem::path::string_type;
inline constexpr std::filesystem::path::value_type kSeparator =
    std::filesystem::path::preferred_separator;

// The path as the system's file calls must get it: on Windows an absolute path gets the prefix
// "\\?\" so that a name like CON.nsl is a file and not a device and a path longer than 260
// characters opens; elsewhere the path as it is.
std::filesystem::path SystemPath(const std::filesystem::path& path);

}  // namespace shell
