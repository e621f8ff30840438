#include "shell/win32/surface_window.h"

#include "shell/canvas/device_image.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/canvas/repaint_pacer.h"
#include "shell/win32/dpi.h"
#include "shell/win32/owned.h"

namespace shell::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KestrelPloverSurface";
struct SurfaceView {
  HWND window;
  Surface& surface;
  int border;  // 2: sunken; 1: flat, in the window-text colour
  ScreenAtScale shown;
  RepaintPacer pacer{};

  void Changed() {
    switch (pacer.Changed(surface.Mode())) {
      case RepaintPacer::Paint::Later:
        InvalidateRect(window, nullptr, FALSE);
        break;
      case RepaintPacer::Paint::Now:
        UpdateWindow(window);
        break;
      case RepaintPacer::Paint::Nothing:
        break;
    }
  }

  void Paint() {
    pacer.Painted();
    surface.Present();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT outer;
    GetClientRect(window, &outer);
    if (border == 2) {
      DrawEdge(dc, &outer, EDGE_SUNKEN, BF_RECT);
    } else {
      FrameRect(dc, &outer, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    // Device pixels one to one, at the window's scale: whole pixels for every cell and dot,
    // the picture centred in the box and clipped to it should it be a pixel larger.
    const Raster& screen = shown.At(ScaleOf(DpiOf(window)));
    RECT inner = outer;
    InflateRect(&inner, -border, -border);
    if (screen.Width() < inner.right - inner.left || screen.Height() < inner.bottom - inner.top) {
      const OwnedBrush background(
          CreateSolidBrush(RGB(kScreenColor.r, kScreenColor.g, kScreenColor.b)));
      FillRect(dc, &inner, background.get());  // the margin round a picture a pixel smaller
    }
    IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = screen.Width();
    info.bmiHeader.biHeight = -screen.Height();  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, (inner.left + inner.right - screen.Width()) / 2,
                      (inner.top + inner.bottom - screen.Height()) / 2,
                      static_cast<DWORD>(screen.Width()), static_cast<DWORD>(screen.Height()), 0,
                      0, 0, static_cast<UINT>(screen.Height()), screen.Pixels(), &info,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
  }
};

LRESULT CALLBACK SurfaceProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* view = reinterpret_cast<SurfaceView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      view->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_NCDESTROY:
      view->surface.SetChangeListener({});
      delete view;
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

HWND CreateSurfaceWindow(const ChildSlot& slot, Surface& surface, bool sunken) {
  static const ATOM registered = [] {
    WNDCLASSW type{};
    type.lpfnWndProc = SurfaceProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kClassName;
    return RegisterClassW(&type);
  }();
  (void)registered;
  HWND window = CreateChild(slot, kClassName, WS_TABSTOP);
  auto* view = new SurfaceView{window, surface, sunken ? 2 : 1, ScreenAtScale(surface, sunken)};
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  surface.SetChangeListener([view] { view->Changed(); });
  return window;
}

}  // namespace shell::win32
