#include <windows.h>

#include <memory>

#include "shell/system/folder_entries.h"

namespace shell {

namespace {

// The listing's own attributes say what each entry is: no second look-up by name, which
// Windows' path rules would get wrong for a CON.nsl or a path longer than 260 characters.
class WindowsEntry : public FolderEntry {
 public:
  explicit WindowsEntry(const WIN32_FIND_DATAW& found) : found_(found), name_(found.cFileName) {}
  const NativeString& Name() const override { return name_; }
  bool IsRegularFile() const override {
    return !(found_.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
  }
  bool IsFolder() const override { return found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY; }

 private:
  const WIN32_FIND_DATAW& found_;
  NativeString name_;
};

std::error_code ListingError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
      return std::make_error_code(std::errc::permission_denied);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

}  // namespace

void ForEachEntry(const std::filesystem::path& folder, std::error_code& error,
                  const std::function<void(const FolderEntry&)>& visit) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((SystemPath(folder) / L"*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // A drive's empty root has no "." to find.
    const DWORD failure = GetLastError();
    const bool empty_root = failure == ERROR_FILE_NOT_FOUND && folder == folder.root_path();
    error = empty_root ? std::error_code() : ListingError(failure);
    return;
  }
  // Closed however the visit ends, a throw included.
  const std::unique_ptr<void, decltype(&FindClose)> closing(search, FindClose);
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") {
      visit(WindowsEntry(found));
    }
  } while (FindNextFileW(search, &found));
}

}  // namespace shell
