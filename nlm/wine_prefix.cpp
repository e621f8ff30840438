#include "nlm/wine_prefix.h"

#include <system_error>

#include "nlm/wine_path.h"

namespace nlm {

namespace {

namespace fs = std::filesystem;

// The entry of the folder with that name, the exact spelling first, then any letter case.
std::optional<fs::path> EntryIgnoringCase(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) {
    return folder / name;
  }
  for (fs::directory_iterator entries(folder, error), end; !error && entries != end;
       entries.increment(error)) {
    if (SameFileName(entries->path().filename().string(), name)) {
      return entries->path();
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> UnixPathOf(const std::string& windows_path, const fs::path& prefix) {
  const std::optional<DrivePath> path = ReadWindowsPath(windows_path);
  if (!path) {
    return std::nullopt;
  }
  fs::path place = prefix / "dosdevices" / std::string{path->drive, ':'};
  for (const std::string& name : path->names) {
    const std::optional<fs::path> found = EntryIgnoringCase(place, name);
    if (!found) {
      return std::nullopt;
    }
    place = *found;
  }
  return place;
}

std::optional<std::string> WindowsPathOf(const fs::path& file, const fs::path& prefix) {
  std::error_code error;
  const fs::path target_file = fs::weakly_canonical(file, error);
  std::optional<std::string> best;
  std::size_t best_depth = 0;
  for (fs::directory_iterator links(prefix / "dosdevices", error), end; !error && links != end;
       links.increment(error)) {
    const std::string name = links->path().filename().string();
    std::error_code ignored;
    const fs::path drive = fs::canonical(links->path(), ignored);
    if (name.size() != 2 || name[1] != ':' || ignored) {
      continue;
    }
    const fs::path inside = target_file.lexically_relative(drive);
    const std::size_t depth = static_cast<std::size_t>(std::distance(drive.begin(), drive.end()));
    if (inside.empty() || *inside.begin() == ".." || (best && depth <= best_depth)) {
      continue;
    }
    std::string windows{static_cast<char>(name[0] - 'a' + 'A'), ':'};
    for (const fs::path& part : inside) {
      if (part != ".") {
        windows += '\\' + part.string();
      }
    }
    best = windows.size() == 2 ? windows + '\\' : windows;
    best_depth = depth;
  }
  return best;
}

}  // namespace nlm
