#pragma once

#include <windows.h>

namespace shell::win32 {

// The dots per inch the system gives a window: its monitor's on Windows 10 (1607) and later,
// where the program is aware of each monitor; the whole screen's on older Windows, which lack
// the calls (looked up at run time, so the program still starts there).
UINT DpiOf(HWND window);
inline double ScaleOf(UINT dpi) { return dpi / 96.0; }
// The outer size of a window of that style whose client area is `client`, at that dpi.
SIZE FrameSize(SIZE client, DWORD style, UINT dpi);

}  // namespace shell::win32
