#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/system/path_rules.h"

namespace shell {

// What the drive list offers: a drive letter's root on Windows; on Linux a mounted file system
// that a person would call a drive (the root, a separate home, removable media, network shares).
struct Drive {
  std::filesystem::path root;
  std::string label;  // as the list shows it, UTF-8
};

// The drives of this system, the root first.
std::vector<Drive> ListDrives();

// Linux: the drives among the mounts of a /proc/self/mountinfo text: pseudo file systems, memory
// file systems, packaged images and mounts inside /proc, /sys, /dev and /run (but /run/media) are
// left out; the root is always there.
std::vector<Drive> DrivesFromMountInfo(std::string_view mountinfo);

// The drive that holds the folder: the one with the longest root that contains it; none when no
// root contains it (a drive letter that is not there, a network share).
std::optional<std::size_t> DriveHolding(const std::vector<Drive>& drives,
                                        const std::filesystem::path& folder);
// The drive that holds the folder, the first one when none does.
std::size_t DriveIndexOf(const std::vector<Drive>& drives, const std::filesystem::path& folder);

// The folder a drive opens at before the window has shown one on it: on Windows the current
// folder the system keeps for each drive letter; elsewhere the drive's root.
std::filesystem::path StartingFolder(const Drive& drive);

// Each drive's current folder, as Windows keeps one per drive: the folder last shown on it, at
// first its starting folder (the start-up step records the working folder for the drive that
// holds it).
class DriveFolders {
 public:
  std::filesystem::path CurrentFolder(const Drive& drive) const;
  void Remember(const Drive& drive, const std::filesystem::path& folder);

 private:
  std::map<NativeString, std::filesystem::path> folders_;
};

}  // namespace shell
