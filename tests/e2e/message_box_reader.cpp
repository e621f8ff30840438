// Reads a message box on screen as a person would: waits for the window with the given title,
// writes its text in UTF-8 to standard output, and presses its OK button.
// usage: message_box_reader TITLE
#define UNICODE
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

// The text of the box's static controls; the icon's holds none.
BOOL CALLBACK Look(HWND child, LPARAM text_address) {
  wchar_t kind[16] = {};
  GetClassNameW(child, kind, 16);
  if (lstrcmpiW(kind, L"Static") == 0) {
    wchar_t text[2048] = {};
    GetWindowTextW(child, text, 2048);
    *reinterpret_cast<std::wstring*>(text_address) += text;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    return 2;
  }
  HWND box = nullptr;
  for (int tries = 0; !box && tries < 300; ++tries) {
    box = FindWindowW(L"#32770", argv[1]);
    if (!box) {
      Sleep(100);
    }
  }
  if (!box) {
    std::fputs("no message box\n", stdout);
    return 1;
  }
  std::wstring text;
  EnumChildWindows(box, Look, reinterpret_cast<LPARAM>(&text));
  _setmode(_fileno(stdout), _O_BINARY);  // the text's own CR LF, untouched
  std::fputs(Utf8(text).c_str(), stdout);
  std::fflush(stdout);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return 0;
}
