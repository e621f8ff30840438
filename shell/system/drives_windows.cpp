#include <windows.h>

#include <cwctype>

#include "shell/system/drives.h"

namespace shell {

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  const DWORD letters = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (letters & (1u << i)) {
      const wchar_t letter = static_cast<wchar_t>(L'A' + i);
      // Shown as "c:", the way drive lists name them.
      drives.push_back({std::filesystem::path(std::wstring{letter, L':', L'\\'}),
                        std::string{static_cast<char>('a' + i), ':'}});
    }
  }
  return drives;
}

std::filesystem::path StartingFolder(const Drive& drive) {
  // "D:" alone names the drive's current folder; a network share has none.
  const std::wstring letter = drive.root.native().substr(0, 2);
  if (letter.size() != 2 || letter[1] != L':') {
    return drive.root;
  }
  wchar_t folder[MAX_PATH];
  const DWORD length = GetFullPathNameW(letter.c_str(), MAX_PATH, folder, nullptr);
  return length > 0 && length < MAX_PATH ? std::filesystem::path(folder) : drive.root;
}

}  // namespace shell
