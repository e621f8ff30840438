#include "nlm/wine_path.h"

#include <algorithm>
#include <sstream>

#include "shell/base/display_name.h"

namespace nlm {

namespace {

char32_t Upper(char32_t c) {
  const bool latin_small = (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
  const bool greek_small = c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2;
  if (latin_small || greek_small || (c >= 0x430 && c <= 0x44F)) {
    return c - 0x20;
  }
  if (c >= 0x450 && c <= 0x45F) {
    return c - 0x50;
  }
  // Latin Extended-A pairs each capital with the small letter after it, the capitals falling on
  // even code points except from U+0139 to U+0148 and from U+0179 to U+017E.
  const bool odd_capitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  const bool even_capitals =
      (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  if ((even_capitals && c % 2 == 1) || (odd_capitals && c % 2 == 0)) {
    return c - 1;
  }
  return c == 0xFF ? 0x178 : c == 0x3C2 ? 0x3A3 : c;
}

}  // namespace

std::optional<DrivePath> ReadWindowsPath(std::string_view path) {
  const bool as_written = path.starts_with("\\\\?\\") || path.starts_with("\\??\\");
  if (as_written) {
    path.remove_prefix(4);
  }
  const auto letter = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
  if (path.size() < 2 || path[1] != ':' || letter < 'a' || letter > 'z') {
    return std::nullopt;
  }
  std::string rest(path.substr(2));
  if (!as_written) {
    std::replace(rest.begin(), rest.end(), '/', '\\');
  }
  DrivePath drive_path{letter, {}};
  std::istringstream parts(rest);
  for (std::string name; std::getline(parts, name, '\\');) {
    if (!as_written && name == "..") {
      if (!drive_path.names.empty()) {
        drive_path.names.pop_back();
      }
      continue;
    }
    if (!as_written && parts.eof()) {
      name.erase(name.find_last_not_of(" .") + 1);
    } else if (!as_written && name.ends_with('.')) {
      name.pop_back();  // so a plain "." goes, and "..." becomes a ".." that names nothing
    }
    if (name == "." || name == ".." || name.find('/') != std::string::npos) {
      return std::nullopt;
    }
    if (!name.empty()) {
      drive_path.names.push_back(name);
    }
  }
  return drive_path;
}

bool SameFileName(std::string_view a, std::string_view b) {
  std::size_t in_a = 0;
  std::size_t in_b = 0;
  while (in_a < a.size() && in_b < b.size()) {
    if (Upper(shell::NextCodePoint(a, in_a)) != Upper(shell::NextCodePoint(b, in_b))) {
      return false;
    }
  }
  return in_a == a.size() && in_b == b.size();
}

}  // namespace nlm
