#include "shell/win32/window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "shell/form/caption_fit.h"
#include "shell/win32/artwork.h"
#include "shell/win32/list_windows.h"
#include "shell/win32/surface_window.h"
#include "shell/win32/text.h"

namespace shell::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KestrelPloverWindow";
constexpr int kFirstId = 100;
constexpr int kListRowHeight = 16;
constexpr UINT kShowPicture = WM_APP;

// "MS Sans Serif" with the Central European character set, so that Polish letters show.
HFONT SansSerif(double points, bool bold) {
  HDC screen = GetDC(nullptr);
  const int height = -static_cast<int>(points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0 + 0.5);
  ReleaseDC(nullptr, screen);
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

// The label's font at the size its caption fits in (see FittingPointSize).
OwnedFont FittingFont(HDC dc, HFONT design, const std::wstring& caption, int width) {
  LOGFONTW shape{};
  GetObjectW(design, sizeof shape, &shape);
  const double dots_per_point = GetDeviceCaps(dc, LOGPIXELSY) / 72.0;
  const auto font_at = [&shape, dots_per_point](double points) {
    LOGFONTW sized = shape;
    sized.lfHeight = -static_cast<LONG>(points * dots_per_point + 0.5);
    return OwnedFont(CreateFontIndirectW(&sized));
  };
  const double points =
      FittingPointSize(-shape.lfHeight / dots_per_point, width, [&](double size) {
        const OwnedFont font = font_at(size);
        HGDIOBJ old = SelectObject(dc, font.get());
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, old);
        return static_cast<double>(extent.cx);
      });
  return font_at(points);
}

RECT PlaceOf(const ControlSpec& spec) {
  return {spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
}

class ButtonBinding : public Binding {
 public:
  ButtonBinding(Button& model, HWND window) : Binding(window), model_(model) {
    model_.SetView([this] { Show(); });
    Show();
  }
  void Command(WORD notification) override {
    if (notification == BN_CLICKED) {
      model_.Click();
    }
  }
  void Enter() override { model_.EnterPressed(); }

 private:
  void Show() {
    if (model_.Spec().kind == ControlKind::TextButton) {
      SetWindowTextW(Window(), Wide(model_.Caption()).c_str());
    }
    EnableWindow(Window(), model_.Enabled());
  }

  Button& model_;
};

class CheckBoxBinding : public Binding {
 public:
  CheckBoxBinding(CheckBox& model, HWND window) : Binding(window), model_(model) {
    model_.SetView([this] { Show(); });
    Show();
  }
  void Command(WORD notification) override {
    if (notification == BN_CLICKED) {
      model_.Toggle();
    }
  }

 private:
  void Show() {
    SendMessageW(Window(), BM_SETCHECK, model_.Value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  CheckBox& model_;
};

}  // namespace

HWND CreateChild(HWND parent, const wchar_t* window_class, DWORD style, const ControlSpec& spec,
                 int id, HFONT font, DWORD extended_style) {
  HWND child = CreateWindowExW(extended_style, window_class, L"", WS_CHILD | WS_VISIBLE | style,
                               spec.left, spec.top, spec.width, spec.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

Window::Window(ViewerForm& form)
    : form_(form),
      window_font_(SansSerif(8.25, false)),
      bold_975_(SansSerif(9.75, true)),
      bold_825_(SansSerif(8.25, true)) {
  static const ATOM registered = [] {
    WNDCLASSW type{};
    type.style = CS_DBLCLKS;  // the second press of a double-click on a caption is no click
    type.lpfnWndProc = Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kClassName;
    return RegisterClassW(&type);
  }();
  (void)registered;
  const WindowSpec& spec = form.Window();
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (spec.minimize_button) {
    style |= WS_MINIMIZEBOX;
  }
  RECT frame{0, 0, spec.client_width, spec.client_height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  window_ = CreateWindowExW(0, kClassName, Wide(spec.title).c_str(), style,
                            work.left + (work.right - work.left - width) / 2,
                            work.top + (work.bottom - work.top - height) / 2, width, height,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
  // Shared icons belong to the system, which releases them with the program.
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const auto& [which, size] : {std::pair<WPARAM, int>{ICON_BIG, 32}, {ICON_SMALL, 16}}) {
    SendMessageW(window_, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     size, size, LR_SHARED)));
  }
  form_.Canvas().SetPreviewForeground(
      {GetRValue(GetSysColor(COLOR_WINDOWTEXT)), GetGValue(GetSysColor(COLOR_WINDOWTEXT)),
       GetBValue(GetSysColor(COLOR_WINDOWTEXT))});
  Build();
  DragAcceptFiles(window_, TRUE);  // files and folders dropped from Explorer
  form_.OnClose([this] { DestroyWindow(window_); });
  Focus& focus = form_.KeyboardFocus();
  focus.SetView([this, &focus] { SetFocus(children_[focus.Control()]); });
}

Window::~Window() {
  form_.OnClose({});
  form_.KeyboardFocus().SetView({});
  for (Control* control : bound_) {
    control->SetView({});
  }
  if (IsWindow(window_)) {
    DestroyWindow(window_);
  }
}

void Window::Build() {
  tooltips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  // Children are made in tab order, which is the order Tab moves the focus in; the others
  // after them, in the table's order.
  std::vector<const ControlSpec*> order = TabOrder(form_.Window().controls);
  for (const ControlSpec& spec : form_.Window().controls) {
    if (!TakesFocus(spec)) {
      order.push_back(&spec);
    }
  }
  int id = kFirstId;
  for (const ControlSpec* spec : order) {
    const ControlRef control = form_.ControlFor(*spec);
    if (Control* model = AsControl(control)) {
      bound_.push_back(model);
    }
    ++id;
    std::unique_ptr<Binding> binding;
    HWND child = nullptr;
    switch (spec->kind) {
      case ControlKind::BigScreen:
        child = CreateSurfaceWindow(window_, form_.Canvas().BigScreen(), true, PlaceOf(*spec), id);
        break;
      case ControlKind::Preview:
        child = CreateSurfaceWindow(window_, *form_.Canvas().PreviewSurface(), false,
                                    PlaceOf(*spec), id);
        break;
      case ControlKind::FileList:
        binding = BindFileList(*std::get<FileList*>(control), window_, id, window_font_.get());
        break;
      case ControlKind::DriveList:
        binding = BindDriveList(*std::get<DriveList*>(control), window_, id, window_font_.get());
        break;
      case ControlKind::FolderList:
        binding =
            BindFolderList(*std::get<FolderList*>(control), window_, id, window_font_.get());
        break;
      case ControlKind::PictureButton:
      case ControlKind::TextButton: {
        const bool picture = spec->kind == ControlKind::PictureButton;
        HWND button = CreateChild(window_, L"BUTTON",
                                  WS_TABSTOP | BS_PUSHBUTTON | (picture ? BS_ICON : 0), *spec, id,
                                  window_font_.get());
        if (picture) {
          SendMessageW(button, BM_SETIMAGE, IMAGE_ICON,
                       reinterpret_cast<LPARAM>(LoadGlyph(spec->picture)));
        }
        if (!spec->tooltip.empty()) {
          std::wstring tip = Wide(spec->tooltip);
          TOOLINFOW tool{};
          tool.cbSize = sizeof tool;
          tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
          tool.hwnd = window_;
          tool.uId = reinterpret_cast<UINT_PTR>(button);
          tool.lpszText = tip.data();
          SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        binding = std::make_unique<ButtonBinding>(*std::get<TextControl*>(control), button);
        break;
      }
      case ControlKind::CheckBox:
        binding = std::make_unique<CheckBoxBinding>(
            *std::get<CheckBox*>(control),
            CreateChild(window_, L"BUTTON", WS_TABSTOP | BS_CHECKBOX, *spec, id,
                        window_font_.get()));
        break;
      case ControlKind::Label: {
        const RECT place = PlaceOf(*spec);
        std::get<TextControl*>(control)->SetView([this, place, name = spec->name] {
          fitted_.erase(name);
          InvalidateRect(window_, &place, TRUE);
        });
        break;
      }
      case ControlKind::Image:
        picture_place_ = PlaceOf(*spec);  // decoded once the logo is on screen
        break;
      case ControlKind::Timer: {
        Timer& timer = *std::get<Timer*>(control);
        timer.SetView([this, &timer, id] {
          if (timer.Enabled()) {
            SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(timer.Interval()),
                     nullptr);
          } else {
            KillTimer(window_, static_cast<UINT_PTR>(id));
          }
        });
        break;
      }
    }
    if (binding) {
      child = binding->Window();
      bindings_[id] = std::move(binding);
    }
    if (child) {
      children_[spec->name] = child;
    }
  }
}

void Window::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  form_.KeyboardFocus().GiveBack();  // also when the system does not let it become active
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // The decorative picture needs the system's image decoder, which takes longer to load than
  // everything else: the logo comes first.
  PostMessageW(window_, kShowPicture, 0, 0);
}

int Window::Run() {
  Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window_, &message)) {  // Tab between the controls
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->OnMessage(message, wparam, lparam)
              : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      if (LOWORD(wparam) == IDOK) {  // Enter, through the dialog keys
        for (auto& [id, binding] : bindings_) {
          if (binding->Window() == GetFocus()) {
            binding->Enter();
          }
        }
        return 0;
      }
      const auto found = bindings_.find(LOWORD(wparam));
      if (found != bindings_.end()) {
        found->second->Command(HIWORD(wparam));
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const auto found = bindings_.find(static_cast<int>(item.CtlID));
      if (found != bindings_.end()) {
        found->second->Draw(item);
      }
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      item.itemHeight = item.CtlType == ODT_COMBOBOX && item.itemID == static_cast<UINT>(-1)
                            ? kListRowHeight - 1
                            : kListRowHeight;
      return TRUE;
    }
    case WM_CHARTOITEM: {
      // A letter typed in a list: -2 when the list's model took it, -1 for the list's own keys.
      Binding* binding = BindingOf(reinterpret_cast<HWND>(lparam));
      return binding && binding->Character(LOWORD(wparam)) ? -2 : -1;
    }
    case WM_VKEYTOITEM:
      return -1;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wparam);
      std::wstring dropped(DragQueryFileW(drop, 0, nullptr, 0), L'\0');
      DragQueryFileW(drop, 0, dropped.data(), static_cast<UINT>(dropped.size() + 1));
      DragFinish(drop);
      if (!dropped.empty()) {
        form_.Dropped(dropped);  // the first of them
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        FocusMovedFrom(GetFocus());
      } else {
        form_.KeyboardFocus().GiveBack();
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      MouseOnLabels(message,
                    {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      return 0;
    case WM_TIMER:
      for (Control* control : bound_) {
        if (control->Spec().kind == ControlKind::Timer) {
          static_cast<Timer*>(control)->Tick();
        }
      }
      return 0;
    case kShowPicture:
      picture_.reset(LoadPicture("decoration", picture_size_));
      InvalidateRect(window_, &picture_place_, TRUE);
      return 0;
    case WM_CLOSE:
      form_.Close();  // the close box
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

HFONT Window::FontOf(FontKind kind) const {
  switch (kind) {
    case FontKind::Bold975:
      return bold_975_.get();
    case FontKind::Bold825:
      return bold_825_.get();
    case FontKind::Window:
      break;
  }
  return window_font_.get();
}

void Window::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  for (const ControlSpec& spec : form_.Window().controls) {
    if (spec.kind == ControlKind::Image && picture_) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture_.get());
      BitBlt(dc, spec.left, spec.top, picture_size_.cx, picture_size_.cy, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else if (spec.kind == ControlKind::Label) {
      const std::wstring caption = Wide(std::get<TextControl*>(form_.ControlFor(spec))->Caption());
      RECT place = PlaceOf(spec);
      OwnedFont& font = fitted_[spec.name];
      if (!font) {
        font = FittingFont(dc, FontOf(spec.font), caption, spec.width);
      }
      HGDIOBJ old = SelectObject(dc, font.get());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, spec.text_colour ? RGB(spec.text_colour->r, spec.text_colour->g,
                                              spec.text_colour->b)
                                        : GetSysColor(COLOR_WINDOWTEXT));
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &place,
                DT_WORDBREAK | DT_NOPREFIX |
                    (spec.align == TextAlign::Centre ? DT_CENTER : DT_LEFT));
      SelectObject(dc, old);
    }
  }
  EndPaint(window_, &paint);
}

void Window::MouseOnLabels(UINT message, POINT at) {
  TextControl* label = nullptr;
  for (const ControlSpec& spec : form_.Window().controls) {
    const RECT place = PlaceOf(spec);
    if (spec.kind == ControlKind::Label && PtInRect(&place, at)) {
      label = std::get<TextControl*>(form_.ControlFor(spec));
    }
  }
  if (message != WM_LBUTTONUP) {
    pressed_label_ = label;
    if (label) {
      SetCapture(window_);  // the release comes here wherever it is
      label->Press(message == WM_LBUTTONDBLCLK);
    }
  } else if (TextControl* pressed = std::exchange(pressed_label_, nullptr)) {
    ReleaseCapture();
    pressed->Release(pressed == label);
  }
}

void Window::FocusMovedFrom(HWND child) {
  for (const auto& [name, window] : children_) {
    if (window == child || IsChild(window, child)) {
      form_.KeyboardFocus().MovedTo(name);
    }
  }
}

Binding* Window::BindingOf(HWND child) const {
  for (const auto& [id, binding] : bindings_) {
    if (binding->Window() == child) {
      return binding.get();
    }
  }
  return nullptr;
}

}  // namespace shell::win32
