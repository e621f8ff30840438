#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "shell/system/drives.h"

namespace shell {

namespace {

constexpr std::string_view kNotDrives[] = {
    "proc",       "sysfs",      "devtmpfs",    "devpts",          "cgroup",    "cgroup2",
    "securityfs", "debugfs",    "tracefs",     "pstore",          "bpf",       "mqueue",
    "hugetlbfs",  "configfs",   "fusectl",     "binfmt_misc",     "autofs",    "efivarfs",
    "selinuxfs",  "rpc_pipefs", "nsfs",        "tmpfs",           "ramfs",     "squashfs",
    "overlay",    "nfsd",       "fuse.portal", "fuse.gvfsd-fuse", "fuse.lxcfs"};

bool IsInside(std::string_view mount_point, std::string_view folder) {
  return mount_point == folder ||
         (mount_point.substr(0, folder.size()) == folder && mount_point.size() > folder.size() &&
          mount_point[folder.size()] == '/');
}

bool IsSystemPlace(std::string_view mount_point) {
  if (IsInside(mount_point, "/run/media")) {
    return false;
  }
  return IsInside(mount_point, "/proc") || IsInside(mount_point, "/sys") ||
         IsInside(mount_point, "/dev") || IsInside(mount_point, "/run") ||
         IsInside(mount_point, "/snap") || IsInside(mount_point, "/boot/efi");
}

// Mount points escape blanks, tabs, newlines and backslashes as \ooo.
std::string Unescape(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool octal = text[i] == '\\' && i + 3 < text.size() &&
                       std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                   text.begin() + static_cast<std::ptrdiff_t>(i + 4),
                                   [](char c) { return c >= '0' && c <= '7'; });
    if (octal) {
      plain += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                 (text[i + 3] - '0'));
      i += 3;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

}  // namespace

std::vector<Drive> DrivesFromMountInfo(std::string_view mountinfo) {
  std::vector<Drive> drives{{"/", "/"}};
  std::istringstream lines{std::string(mountinfo)};
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::vector<std::string> words;
    for (std::string word; fields >> word;) {
      words.push_back(word);
    }
    const auto separator = std::find(words.begin(), words.end(), "-");
    if (words.size() < 5 || separator == words.end() || separator + 1 == words.end()) {
      continue;
    }
    const std::string mount_point = Unescape(words[4]);
    const std::string& type = *(separator + 1);
    const bool pseudo =
        std::find(std::begin(kNotDrives), std::end(kNotDrives), type) != std::end(kNotDrives);
    if (pseudo || mount_point == "/" || IsSystemPlace(mount_point)) {
      continue;
    }
    const auto same = std::find_if(drives.begin(), drives.end(),
                                   [&](const Drive& d) { return d.root == mount_point; });
    if (same == drives.end()) {
      drives.push_back({mount_point, mount_point});
    }
  }
  std::sort(drives.begin() + 1, drives.end(),
            [](const Drive& a, const Drive& b) { return a.root < b.root; });
  return drives;
}

std::vector<Drive> ListDrives() {
  std::ifstream file("/proc/self/mountinfo");
  std::stringstream text;
  text << file.rdbuf();
  std::vector<Drive> drives = DrivesFromMountInfo(text.str());
  // A mount of a single file (as containers do for /etc/hosts) is no drive.
  std::erase_if(drives, [](const Drive& drive) {
    std::error_code ignored;
    return !std::filesystem::is_directory(drive.root, ignored);
  });
  return drives;
}

std::filesystem::path StartingFolder(const Drive& drive) {
  return drive.root;
}

}  // namespace shell
