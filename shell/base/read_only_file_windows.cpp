#include <windows.h>

#include <algorithm>
#include <string>

#include "shell/base/display_name.h"
#include "shell/base/file_failure.h"
#include "shell/base/native_path.h"
#include "shell/base/read_only_file.h"
#include "shell/base/windows_error.h"

namespace shell {

std::string SystemText(unsigned long error) {
  // As UTF-16: the ANSI code page would not hold every letter of the user's language.
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string result = DisplayText(std::wstring(text, length));
  LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\n' || result.back() == '\r' || result.back() == '.')) {
    result.pop_back();
  }
  return result;
}

namespace {

[[noreturn]] void ThrowWindowsError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      throw FileAccessError(FileFailure{FileFailureKind::NotFound});
    case ERROR_ACCESS_DENIED:
      throw FileAccessError(FileFailure{FileFailureKind::PermissionDenied});
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      throw FileAccessError(FileFailure{FileFailureKind::InUse});
    // What the system answers for a pipe or a device in place of a file's attributes.
    case ERROR_BAD_DEV_TYPE:
    case ERROR_INVALID_PARAMETER:
    case ERROR_PIPE_BUSY:
      throw FileAccessError(FileFailure{FileFailureKind::NotRegularFile});
    default:
      throw FileAccessError(
          FileFailure{FileFailureKind::System, static_cast<int>(error), SystemText(error)});
  }
}

WIN32_FILE_ATTRIBUTE_DATA RegularFileAttributes(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) {
    ThrowWindowsError(GetLastError());
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    throw FileAccessError(FileFailure{FileFailureKind::IsFolder});
  }
  return data;
}

}  // namespace

std::uintmax_t FileLength(const std::filesystem::path& path) {
  const WIN32_FILE_ATTRIBUTE_DATA data = RegularFileAttributes(path);
  return (std::uintmax_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) : handle_(INVALID_HANDLE_VALUE) {
  RegularFileAttributes(path);
  handle_ = CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) {
    ThrowWindowsError(GetLastError());
  }
  LARGE_INTEGER length{};
  if (GetFileType(handle_) != FILE_TYPE_DISK || !GetFileSizeEx(handle_, &length)) {
    CloseHandle(handle_);
    throw FileAccessError(FileFailure{FileFailureKind::NotRegularFile});
  }
  length_ = static_cast<std::uintmax_t>(length.QuadPart);
}

ReadOnlyFile::~ReadOnlyFile() {
  CloseHandle(handle_);
}

std::size_t ReadOnlyFile::ReadSome(std::uint8_t* into, std::size_t count) {
  DWORD got = 0;
  if (!ReadFile(handle_, into, static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD)), &got,
                nullptr)) {
    ThrowWindowsError(GetLastError());
  }
  return got;
}

}  // namespace shell
