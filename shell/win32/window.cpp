#include "shell/win32/window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "shell/form/caption_fit.h"
#include "shell/form/scaling.h"
#include "shell/win32/artwork.h"
#include "shell/win32/dpi.h"
#include "shell/win32/list_windows.h"
#include "shell/win32/surface_window.h"
#include "shell/win32/text.h"

namespace shell::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KestrelPloverWindow";
constexpr int kFirstId = 100;
constexpr int kListRowHeight = 16;

constexpr int kDroppedHeight = 200;  // the drive list with its list open

// "MS Sans Serif" with the Central European character set, so that Polish letters show, at the
// height the points come to on a screen of that scale.
OwnedFont SansSerif(double points, bool bold, double scale) {
  return OwnedFont(CreateFontW(-FontPixels(points, scale), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                               FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                               L"MS Sans Serif"));
}

// The point size of each font of the table, and whether it is bold.
std::pair<double, bool> ShapeOf(FontKind kind) {
  switch (kind) {
    case FontKind::Bold975:
      return {9.75, true};
    case FontKind::Bold825:
      return {8.25, true};
    case FontKind::Window:
      break;
  }
  return {8.25, false};
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

HWND CreateChild(const ChildSlot& slot, const wchar_t* window_class, DWORD style,
                 DWORD extended_style) {
  const RECT& place = slot.place;
  return CreateWindowExW(extended_style, window_class, L"", WS_CHILD | WS_VISIBLE | style,
                         place.left, place.top, place.right - place.left, place.bottom - place.top,
                         slot.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(slot.id)),
                         GetModuleHandleW(nullptr), nullptr);
}

Window::Window(ViewerForm& form) : form_(form) {
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
  style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (spec.minimize_button ? WS_MINIMIZEBOX : 0);
  // Made first at no size: its size comes from the dpi of the screen it is on.
  window_ = CreateWindowExW(0, kClassName, Wide(spec.title).c_str(), style_, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  const UINT dpi = DpiOf(window_);
  scale_ = ScaleOf(dpi);
  const SIZE frame = FrameSize(ClientSize(scale_), style_, dpi);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - frame.cx) / 2,
               work.top + (work.bottom - work.top - frame.cy) / 2, frame.cx, frame.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  form_.Canvas().SetPreviewForeground(
      {GetRValue(GetSysColor(COLOR_WINDOWTEXT)), GetGValue(GetSysColor(COLOR_WINDOWTEXT)),
       GetBValue(GetSysColor(COLOR_WINDOWTEXT))});
  MakeScaled();
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
    const ChildSlot slot{window_, ++id, ChildPlace(*spec)};
    std::unique_ptr<Binding> binding;
    HWND child = nullptr;
    switch (spec->kind) {
      case ControlKind::BigScreen:
        child = CreateSurfaceWindow(slot, form_.Canvas().BigScreen(), true);
        break;
      case ControlKind::Preview:
        child = CreateSurfaceWindow(slot, *form_.Canvas().PreviewSurface(), false);
        break;
      case ControlKind::FileList:
        binding = BindFileList(*std::get<FileList*>(control), slot);
        break;
      case ControlKind::DriveList:
        binding = BindDriveList(*std::get<DriveList*>(control), slot);
        break;
      case ControlKind::FolderList:
        binding = BindFolderList(*std::get<FolderList*>(control), slot);
        break;
      case ControlKind::PictureButton:
      case ControlKind::TextButton: {
        const bool picture = spec->kind == ControlKind::PictureButton;
        HWND button =
            CreateChild(slot, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | (picture ? BS_ICON : 0));
        binding = std::make_unique<ButtonBinding>(*std::get<TextControl*>(control), button);
        break;
      }
      case ControlKind::CheckBox:
        binding = std::make_unique<CheckBoxBinding>(
            *std::get<CheckBox*>(control),
            CreateChild(slot, L"BUTTON", WS_TABSTOP | BS_CHECKBOX));
        break;
      case ControlKind::Label: {
        std::get<TextControl*>(control)->SetView([this, spec] {
          fitted_.erase(spec->name);
          const RECT place = PlaceOf(*spec);
          InvalidateRect(window_, &place, TRUE);
        });
        break;
      }
      case ControlKind::Image:  // painted by the window itself, from the picture for the scale
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
      FitToScale(child, *spec);
    }
  }
}

void Window::MakeTooltips() {
  tooltips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const ControlSpec& spec : form_.Window().controls) {
    if (!spec.tooltip.empty()) {
      std::wstring tip = Wide(spec.tooltip);
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = window_;
      tool.uId = reinterpret_cast<UINT_PTR>(children_.at(spec.name));
      tool.lpszText = tip.data();
      SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
}

void Window::Rescale(UINT dpi) {
  scale_ = ScaleOf(dpi);
  // The children give up the old font only in FitToScale, so it is released after that.
  const OwnedFont old_font = std::exchange(window_font_, OwnedFont());
  MakeScaled();
  for (const ControlSpec& spec : form_.Window().controls) {
    const auto found = children_.find(spec.name);
    if (found != children_.end()) {
      const RECT place = ChildPlace(spec);
      SetWindowPos(found->second, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
      FitToScale(found->second, spec);
    }
  }
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Window::MakeScaled() {
  window_font_ = SansSerif(8.25, false, scale_);
  fitted_.clear();
  // Icons from the sizes the program's icon file holds, the nearest taken by the system.
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const auto& [which, size] : {std::pair<WPARAM, int>{ICON_BIG, 32}, {ICON_SMALL, 16}}) {
    OwnedIcon& icon = icons_[which == ICON_BIG ? 0 : 1];
    const int pixels = Scaled(size, scale_);
    icon.reset(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, pixels, pixels, 0)));
    SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
  }
  // The larger rendering made smaller on a screen scaled up.
  const std::string picture(form_.Window().program);
  picture_.reset(LoadPicture(picture + (scale_ > 1 ? "-decoration-2x" : "-decoration"),
                             picture_size_));
}

void Window::FitToScale(HWND child, const ControlSpec& spec) {
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(window_font_.get()), FALSE);
  const int row = Scaled(kListRowHeight, scale_);
  if (spec.kind == ControlKind::DriveList) {  // closed, as high as its place
    const RECT place = PlaceOf(spec);
    SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), place.bottom - place.top - 6);
    SendMessageW(child, CB_SETITEMHEIGHT, 0, row);
  } else if (spec.kind == ControlKind::FileList || spec.kind == ControlKind::FolderList) {
    SendMessageW(child, LB_SETITEMHEIGHT, 0, row);
  } else if (spec.kind == ControlKind::PictureButton) {
    SendMessageW(child, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(
                     LoadGlyph(spec.picture, spec.picture_size * GlyphFactor(scale_))));
  }
}

RECT Window::ChildPlace(const ControlSpec& spec) const {
  RECT place = PlaceOf(spec);
  if (spec.kind == ControlKind::DriveList) {  // the window of a drop-down list includes it open
    place.bottom = place.top + Scaled(kDroppedHeight, scale_);
  }
  return place;
}

RECT Window::PlaceOf(const ControlSpec& spec) const {
  const ScaledPlace place = PlaceAtScale(spec, scale_);
  return {place.left, place.top, place.left + place.width, place.top + place.height};
}

SIZE Window::ClientSize(double scale) const {
  return {Scaled(form_.Window().client_width, scale), Scaled(form_.Window().client_height, scale)};
}

void Window::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  form_.KeyboardFocus().GiveBack();  // also when the system does not let it become active
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
      item.itemHeight = static_cast<UINT>(Scaled(kListRowHeight, scale_));
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
    case WM_GETDPISCALEDSIZE: {  // the window's size at the new dpi, exact
      const UINT dpi = static_cast<UINT>(wparam);
      *reinterpret_cast<SIZE*>(lparam) = FrameSize(ClientSize(ScaleOf(dpi)), style_, dpi);
      return TRUE;
    }
    case WM_DPICHANGED: {  // moved to a screen of another scale, or the scale changed
      const auto& suggested = *reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Rescale(HIWORD(wparam));
      return 0;
    }
    case WM_SETCURSOR:  // the pointer is over the window: the tooltips can be needed now
      if (!tooltips_) {
        MakeTooltips();
      }
      return DefWindowProcW(window_, message, wparam, lparam);
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

// The label's font at the size its caption fits in (see FittingPointSize).
OwnedFont Window::FittingFont(HDC dc, FontKind kind, const std::wstring& caption,
                              int width) const {
  const auto [design, bold] = ShapeOf(kind);
  const double points = FittingPointSize(design, width, [&](double size) {
    const OwnedFont font = SansSerif(size, bold, scale_);
    HGDIOBJ old = SelectObject(dc, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    return static_cast<double>(extent.cx);
  });
  return SansSerif(points, bold, scale_);
}

void Window::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  for (const ControlSpec& spec : form_.Window().controls) {
    RECT place = PlaceOf(spec);
    if (spec.kind == ControlKind::Image && picture_) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture_.get());
      SetStretchBltMode(dc, HALFTONE);
      StretchBlt(dc, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 source, 0, 0, picture_size_.cx, picture_size_.cy, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else if (spec.kind == ControlKind::Label) {
      const std::wstring caption = Wide(std::get<TextControl*>(form_.ControlFor(spec))->Caption());
      OwnedFont& font = fitted_[spec.name];
      if (!font) {
        font = FittingFont(dc, spec.font, caption, place.right - place.left);
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
