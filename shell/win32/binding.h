#pragma once

#include <windows.h>

#include "shell/form/control_table.h"

namespace shell::win32 {

// One child window and the model control it shows: the main window hands it the notifications
// Windows sends about it.
class Binding {
 public:
  explicit Binding(HWND window) : window_(window) {}
  virtual ~Binding() = default;
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  HWND Window() const { return window_; }
  virtual void Command(WORD /*notification*/) {}
  virtual void Draw(const DRAWITEMSTRUCT& /*item*/) {}
  // Enter on the child: Windows' dialog keys turn it into the default button's command.
  virtual void Enter() {}
  // A character typed in a list; false leaves it to the list.
  virtual bool Character(wchar_t /*typed*/) { return false; }

 private:
  HWND window_;
};

// Where a child window is made: its parent, its id there and its place in the parent's pixels.
// A child made at its place costs the system no move after it.
struct ChildSlot {
  HWND parent;
  int id;
  RECT place;
};

// Makes a child window of a Windows class in its slot; its parent gives it its font.
HWND CreateChild(const ChildSlot& slot, const wchar_t* window_class, DWORD style,
                 DWORD extended_style = 0);

}  // namespace shell::win32
