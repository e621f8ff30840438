#pragma once

#include <windows.h>

#include "shell/canvas/surface.h"

namespace shell::win32 {

// Shows a canvas surface inside its border, at the window's scale, centred; the parent places it.
// The screen image is painted on every repaint, so dots survive the window being covered;
// Immediate drawing reaches the screen within one frame.
HWND CreateSurfaceWindow(HWND parent, Surface& surface, bool sunken, int id);

}  // namespace shell::win32
