#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace nlm {

// Where a Windows path of the Wine prefix is on this system: its drive letter through the
// prefix's dosdevices/<letter>: link, then each name as Wine reads and finds it (see
// ReadWindowsPath and SameFileName). Empty when a name is not there.
std::optional<std::filesystem::path> UnixPathOf(const std::string& windows_path,
                                                const std::filesystem::path& prefix);

// How a program under Wine names a file of this system: through the drive link whose target holds
// it (the longest one), e.g. Z:\home\me\a.nlm through z: -> /.
std::optional<std::string> WindowsPathOf(const std::filesystem::path& file,
                                         const std::filesystem::path& prefix);

}  // namespace nlm
