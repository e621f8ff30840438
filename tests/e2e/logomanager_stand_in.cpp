// Stands in for LogoManager: writes the command line it was started with, in UTF-16, to
// record.txt beside itself, and ends.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t module[MAX_PATH];
  std::wstring record(module, GetModuleFileNameW(nullptr, module, MAX_PATH));
  record.replace(record.find_last_of(L'\\') + 1, std::wstring::npos, L"record.txt");
  HANDLE out = CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(out, line, DWORD(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(out);
  return 0;
}
