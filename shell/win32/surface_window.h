#pragma once

#include <windows.h>

#include "shell/canvas/surface.h"
#include "shell/win32/binding.h"

namespace shell::win32 {

// Shows a canvas surface inside its border, at the window's scale, centred.
// The screen image is painted on every repaint, so dots survive the window being covered;
// Immediate drawing reaches the screen within one frame.
HWND CreateSurfaceWindow(const ChildSlot& slot, Surface& surface, bool sunken);

}  // namespace shell::win32
