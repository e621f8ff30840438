// Reads a message box on screen as a person would: waits for the window with the given title,
// writes its text in UTF-16 to standard output, and presses its OK button.
// usage: message_box_reader TITLE
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  HWND box = nullptr;
  for (int tries = 0; argc == 2 && !box && tries < 300; ++tries) {
    Sleep(tries == 0 ? 0 : 100);
    box = FindWindowW(L"#32770", argv[1]);
  }
  if (!box) {
    return 1;
  }
  wchar_t text[2048] = {};
  const UINT length = GetDlgItemTextW(box, 0xFFFF, text, 2048);  // the box's text, not its icon
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length * sizeof(wchar_t), &written, nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return 0;
}
