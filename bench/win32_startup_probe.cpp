// Starts a window as the Windows programs do and ends right after it has painted, so that the
// process's life is its start-up. KP_PROBE_KESTREL: kestrel on its start-up argument, every
// control painted; otherwise a bare Win32 window of the same client size.
#include <windows.h>

#ifdef KP_PROBE_KESTREL
#include <memory>

#include "apps/kestrel/form1.h"
#include "shell/win32/run_viewer.h"
#endif

namespace {

// Paints every control now, and ends without taking the window down: without a window manager,
// Wine waits up to two seconds for a destroyed window to be withdrawn, which is no part of
// start-up.
[[noreturn]] void PaintAndEnd(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  ExitProcess(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef KP_PROBE_KESTREL
  (void)instance;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  shell::win32::MessageBoxes messages;
  kestrel::Form1 form({.messages = messages,
                       .read_language_setting = shell::win32::ReadLanguageSetting});
  shell::win32::Window window(form);
  form.Form_Load(shell::StartupArgumentText(0, nullptr));
  window.Show();
  PaintAndEnd(window.Handle());
#else
  WNDCLASSW type{};
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = instance;
  type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = L"BareWindow";
  RegisterClassW(&type);
  RECT frame{0, 0, 658, 466};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  PaintAndEnd(window);
#endif
}
