// Stands in for LogoManager: writes the command line it was started with, in UTF-8, to
// record.txt beside itself, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain() {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring record(module, length);
  record = record.substr(0, record.find_last_of(L'\\') + 1) + L"record.txt";
  const wchar_t* line = GetCommandLineW();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), bytes, nullptr, nullptr);
  if (FILE* out = _wfopen(record.c_str(), L"wb")) {
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
  }
  return 0;
}
