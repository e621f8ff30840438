#pragma once

#include <filesystem>
#include <functional>
#include <system_error>

#include "shell/system/path_rules.h"

namespace shell {

// One entry of a folder, as the system's own listing describes it.
class FolderEntry {
 public:
  virtual ~FolderEntry() = default;
  virtual const NativeString& Name() const = 0;
  // Links followed; an entry that vanished or cannot be examined is neither.
  virtual bool IsRegularFile() const = 0;
  virtual bool IsFolder() const = 0;
};

// Calls `visit` for each entry of the folder but "." and ".."; stops with `error` set when the
// folder cannot be read.
void ForEachEntry(const std::filesystem::path& folder, std::error_code& error,
                  const std::function<void(const FolderEntry&)>& visit);

}  // namespace shell
