#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace shell {

// A path made full the way Windows reads it (GetFullPathNameW): `/` is `\`, separators in a row
// are one, `.` and `..` are resolved without climbing above the root, a folder's name loses one
// trailing dot and the last name every trailing blank and dot. A path without a root is taken
// from the working folder, `\name` from the working folder's root, and `D:name` from D:'s current
// folder, which `drive_folder` gives (for the working folder's own drive it is the working
// folder). `\\server\share` is a root. After `\\?\` the path is taken as written, and the prefix
// goes where a drive (`\\?\C:\`) or a share (`\\?\UNC\server\share`) follows. Drive letters come
// out in capitals.
std::wstring WindowsFullPath(std::wstring_view path, std::wstring_view working_folder,
                             const std::function<std::wstring(wchar_t drive)>& drive_folder);

}  // namespace shell
