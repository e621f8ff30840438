// LogoManager on Windows: the real registry, and starting it with CreateProcess.
#include <windows.h>

#include <vector>

#include "nlm/logo_manager.h"

namespace nlm {

namespace {

// The keys it opens stay open for the lookup that reads them and are closed with it.
class WindowsRegistry : public Registry {
 public:
  WindowsRegistry() = default;
  WindowsRegistry(const WindowsRegistry&) = delete;
  WindowsRegistry& operator=(const WindowsRegistry&) = delete;
  ~WindowsRegistry() override {
    for (HKEY key : opened_) {
      RegCloseKey(key);
    }
  }

  long OpenKey(RegKey root, const std::string& sub_key, std::uint32_t access,
               RegKey& opened) override {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(reinterpret_cast<HKEY>(root), sub_key.c_str(), 0,
                                      static_cast<REGSAM>(access), &key);
    if (result == ERROR_SUCCESS) {
      opened_.push_back(key);
    }
    opened = reinterpret_cast<RegKey>(key);
    return result;
  }
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type, std::string& data,
                  std::uint32_t& size) override {
    DWORD value_type = type;
    DWORD value_size = size;
    data.assign(size, '\0');
    const LONG result =
        RegQueryValueExA(reinterpret_cast<HKEY>(key), value_name.c_str(), nullptr, &value_type,
                         reinterpret_cast<BYTE*>(data.data()), &value_size);
    data.resize(result == ERROR_SUCCESS ? value_size : 0);
    type = value_type;
    size = value_size;
    return result;
  }

 private:
  std::vector<HKEY> opened_;
};

// Text in the ANSI code page, as the registry's A calls give it, in UTF-16.
std::wstring FromAnsi(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length - 1 : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return wide;
}

}  // namespace

std::unique_ptr<Registry> SystemRegistry() {
  return std::make_unique<WindowsRegistry>();
}

bool RegularFileExists(const std::string& windows_path) {
  // Not through "\\?\", which would turn off the rules that drop trailing blanks and dots, as
  // CreateProcessW applies them when it starts the program.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(FromAnsi(windows_path).c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

ExportLaunch LogoManagerLaunch(const std::string& LogoManagerPath,
                               const std::filesystem::path& CurrentFilePath) {
  const std::wstring program = FromAnsi(LogoManagerPath);
  return {program, {}, program + L" " + CurrentFilePath.native()};
}

bool StartDetached(const ExportLaunch& launch) {
  // The program file is named on its own, so an unquoted path with blanks can never start some
  // other program (a C:\Program.exe); the command line is the text LogoManager expects.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::wstring command_line = launch.command_line;
  if (!CreateProcessW(launch.program.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace nlm
