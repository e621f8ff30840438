#include "shell/win32/dpi.h"

namespace shell::win32 {

namespace {

template <typename Function>
Function* FromUser32(const char* name) {
  return reinterpret_cast<Function*>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT DpiOf(HWND window) {
  static const auto dpi_for_window = FromUser32<UINT WINAPI(HWND)>("GetDpiForWindow");
  if (dpi_for_window) {
    return dpi_for_window(window);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

SIZE FrameSize(SIZE client, DWORD style, UINT dpi) {
  static const auto adjust_for_dpi =
      FromUser32<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (adjust_for_dpi) {
    adjust_for_dpi(&frame, style, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace shell::win32
