// A bare Win32 window of the programs' client size (658 x 466), shown, painted and closed like
// theirs: the floor that bench/startup_launcher.cpp times their start-up against.
//
// Built a second time with KP_WITH_CONTROLS (controls_window.exe), the same window carries
// kestrel's native controls and nothing behind them: the same eleven children (two painted
// surfaces, the drive drop-down, the folder and file lists, four push buttons, two check boxes)
// at kestrel's places, a tooltip window, the common controls 6 through the programs' manifest,
// and the same font. That is what Windows' own controls cost at start, which no program made of
// them can go below.
#include <windows.h>
#ifdef KP_WITH_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

#ifdef KP_WITH_CONTROLS
struct Child {
  const wchar_t* type;
  DWORD style;
  RECT place;  // left, top, width, height
  DWORD extended_style = 0;
};

constexpr DWORD kList =
    WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
constexpr Child kChildren[] = {
    {L"Surface", WS_TABSTOP, {4, 4, 505, 289}},
    {L"Surface", 0, {4, 300, 86, 50}},
    {L"COMBOBOX",
     WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
     {352, 300, 161, 200}},
    {L"LISTBOX", kList, {352, 323, 161, 141}, WS_EX_CLIENTEDGE},
    {L"LISTBOX", kList | LBS_WANTKEYBOARDINPUT, {512, 4, 145, 461}, WS_EX_CLIENTEDGE},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, {288, 300, 25, 25}},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, {316, 300, 25, 25}},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, {72, 436, 33, 25}},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, {8, 436, 57, 25}},
    {L"BUTTON", WS_TABSTOP | BS_CHECKBOX, {8, 360, 17, 17}},
    {L"BUTTON", WS_TABSTOP | BS_CHECKBOX, {8, 400, 17, 17}},
};

void AddControls(HWND window, HINSTANCE instance) {
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  WNDCLASSW surface{};
  surface.lpfnWndProc = DefWindowProcW;
  surface.hInstance = instance;
  surface.lpszClassName = L"Surface";
  RegisterClassW(&surface);
  CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                  nullptr, instance, nullptr);
  HFONT font =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
  for (const Child& child : kChildren) {
    HWND made =
        CreateWindowExW(child.extended_style, child.type, L"", WS_CHILD | WS_VISIBLE | child.style,
                        child.place.left, child.place.top, child.place.right, child.place.bottom,
                        window, nullptr, instance, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW type{};
  type.lpfnWndProc = Procedure;
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
#ifdef KP_WITH_CONTROLS
  AddControls(window, instance);
#endif
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
