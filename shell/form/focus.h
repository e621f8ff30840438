#pragma once

#include <span>
#include <string_view>

#include "shell/form/control_table.h"
#include "shell/form/controls.h"

namespace shell {

// Which control has the keyboard focus, as the window keeps it: the one with tab index 0 when
// the window opens; the one the user moved it to since; given back to that one after a message
// box and whenever the window is activated again, so the keys go on working where they were.
class Focus {
 public:
  explicit Focus(std::span<const ControlSpec> controls);

  std::string_view Control() const { return control_; }
  // The user moved the focus; a control that takes none leaves it where it was.
  void MovedTo(std::string_view name);
  // The window layer's: puts the focus on Control().
  void SetView(Handler view) { view_ = std::move(view); }
  // The window opened, was activated again or a message box closed.
  void GiveBack() const;

 private:
  std::span<const ControlSpec> controls_;
  std::string_view control_;
  Handler view_;
};

}  // namespace shell
