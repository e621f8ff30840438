#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <memory>
#include <vector>

#include "shell/form/viewer_form.h"
#include "shell/win32/binding.h"
#include "shell/win32/owned.h"

namespace shell::win32 {

// A viewer's window on screen, built from its control table with plain Win32: it shows what the
// form's controls hold and hands the user's actions to them. Labels and the decorative picture
// are painted by the window itself, labels straight over the picture.
class Window {
 public:
  explicit Window(ViewerForm& form);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return window_; }
  void Show();
  // Shows the window and runs its messages until it is closed; the program's exit code.
  int Run();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Build();
  // The buttons' tooltips, made when the pointer first comes over the window rather than at
  // start, where their window would cost as much as a control.
  void MakeTooltips();
  // Fonts, icons, pictures and every child's place for a new dpi.
  void Rescale(UINT dpi);
  // The window's font, icons and decorative picture for scale_.
  void MakeScaled();
  // What a child takes from the scale beside its place: font, row heights, glyph.
  void FitToScale(HWND child, const ControlSpec& spec);
  RECT PlaceOf(const ControlSpec& spec) const;
  // A child window's place: a drop-down list's window includes its list open.
  RECT ChildPlace(const ControlSpec& spec) const;
  SIZE ClientSize(double scale) const;
  void Paint();
  // The mouse on the window itself, where the labels are painted.
  void MouseOnLabels(UINT message, POINT at);
  OwnedFont FittingFont(HDC dc, FontKind kind, const std::wstring& caption, int width) const;
  void FocusMovedFrom(HWND child);
  Binding* BindingOf(HWND child) const;

  ViewerForm& form_;
  HWND window_ = nullptr;
  DWORD style_ = 0;
  double scale_ = 1;     // the window's dpi over 96
  OwnedFont window_font_;
  OwnedIcon icons_[2];   // big, small
  OwnedBitmap picture_;  // Image1, the rendering for the scale
  SIZE picture_size_{};
  HWND tooltips_ = nullptr;
  TextControl* pressed_label_ = nullptr;                // holds the mouse until its release
  std::map<std::string_view, OwnedFont> fitted_;        // each label's font for its caption
  std::map<std::string_view, HWND> children_;           // by control name
  std::map<int, std::unique_ptr<Binding>> bindings_;    // by child id
  std::vector<Control*> bound_;                         // their views end with the window
};

}  // namespace shell::win32
