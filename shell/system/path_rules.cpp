#include "shell/system/path_rules.h"

#include <stdexcept>

#include "shell/system/windows_full_path.h"

namespace shell {

NativeString SamKatalog(const NativeString& Dane, std::int16_t Typ) {
  const std::size_t last = Dane.rfind(kSeparator);
  if (Typ == -1) {
    if (last == NativeString::npos) {
      throw std::invalid_argument("the path holds no separator, so it has no folder half");
    }
    return Dane.substr(0, last);
  }
  return last == NativeString::npos ? Dane : Dane.substr(last + 1);
}

NativeString JoinFolderAndName(const NativeString& folder, const NativeString& name) {
  NativeString full = folder;
  if (full.empty() || full.back() != kSeparator) {
    full += kSeparator;
  }
  return full + name;
}

std::filesystem::path StartupFilePath(const NativeString& argument,
                                      const std::filesystem::path& working_folder,
                                      [[maybe_unused]] const DriveFolderOf& drive_folder) {
#ifdef _WIN32
  return WindowsFullPath(argument, working_folder.native(), [&](wchar_t drive) {
    return drive_folder(std::wstring{drive, L':', L'\\'}).native();
  });
#else
  const std::filesystem::path given(argument);
  if (given.is_absolute()) {
    return given;
  }
  return (working_folder / given).lexically_normal();
#endif
}

std::filesystem::path StartupFolder(const NativeString& folder_half) {
  if (folder_half.empty()) {
    return std::filesystem::path(NativeString(1, kSeparator));
  }
#ifdef _WIN32
  // "C:" alone would name the drive's current folder; the file's folder is its root.
  if (folder_half.size() == 2 && folder_half[1] == L':') {
    return std::filesystem::path(folder_half + kSeparator);
  }
#endif
  return std::filesystem::path(folder_half);
}

std::filesystem::path WorkingFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path(NativeString(1, kSeparator)) : folder;
}

}  // namespace shell
