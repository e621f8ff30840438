#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nlm {

// A Windows path as Wine's file calls read it: a drive and the names below its root.
struct DrivePath {
  char drive;  // in lower case
  std::vector<std::string> names;
};

// `/` is taken as `\`, separators in a row as one, `.` and `..` are resolved, a folder's name
// loses one trailing dot and the last name every trailing blank and dot. After `\\?\` or `\??\`
// the path is taken as written, so there a `/`, `.` or `..` names nothing. Empty when the path
// names nothing or does not start with a drive.
std::optional<DrivePath> ReadWindowsPath(std::string_view path);

// Whether Wine takes two file names for the same one: letters compare without regard to case
// (those of ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic).
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace nlm
