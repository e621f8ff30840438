#include "shell/system/drives.h"

#include <algorithm>

namespace shell {

namespace {

// How many leading components of `folder` the root covers, or 0 when it does not contain it.
std::size_t CoveredComponents(const std::filesystem::path& root,
                              const std::filesystem::path& folder) {
  auto r = root.begin();
  auto f = folder.begin();
  std::size_t covered = 0;
  for (; r != root.end(); ++r, ++f, ++covered) {
    if (r->empty()) {  // a trailing separator
      break;
    }
    if (f == folder.end() || *r != *f) {
      return 0;
    }
  }
  return covered;
}

}  // namespace

std::optional<std::size_t> DriveHolding(const std::vector<Drive>& drives,
                                        const std::filesystem::path& folder) {
  std::optional<std::size_t> best;
  std::size_t best_covered = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::size_t covered = CoveredComponents(drives[i].root, folder);
    if (covered > best_covered) {
      best = i;
      best_covered = covered;
    }
  }
  return best;
}

std::size_t DriveIndexOf(const std::vector<Drive>& drives, const std::filesystem::path& folder) {
  return DriveHolding(drives, folder).value_or(0);
}

std::filesystem::path DriveFolders::CurrentFolder(const Drive& drive) const {
  const auto found = folders_.find(drive.root.native());
  return found == folders_.end() ? StartingFolder(drive) : found->second;
}

void DriveFolders::Remember(const Drive& drive, const std::filesystem::path& folder) {
  folders_[drive.root.native()] = folder;
}

}  // namespace shell
