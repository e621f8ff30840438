#pragma once

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "shell/base/rgb.h"

namespace shell {

enum class ControlKind {
  BigScreen,      // the canvas's big screen inside a sunken 2-pixel border
  Preview,        // the canvas's preview inside a flat 1-pixel border
  FileList,
  DriveList,
  FolderList,
  PictureButton,  // shows its picture only, centred
  TextButton,
  CheckBox,       // without text; its caption is a label beside it
  Label,          // painted without a background of its own
  Image,          // the decorative picture, behind everything
  Timer,          // not visible
};

enum class FontKind {
  Window,  // the window's default font
  Bold975,  // "MS Sans Serif" bold, 9.75 points, Central European
  Bold825,  // the same at 8.25 points
};

enum class TextAlign { Left, Centre };

// One control of a window as the layout gives it. Places are client-area pixels.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tab = -1;              // place in the tab order, 0 first; -1 takes no focus
  std::string_view caption{};  // the text the window is built with
  std::string_view tooltip{};
  std::string_view picture{};  // artwork name; a picture button's glyph is picture_size square
  int picture_size = 0;
  FontKind font = FontKind::Window;
  TextAlign align = TextAlign::Left;
  std::optional<Rgb> text_colour{};  // the system's window-text colour when empty
  bool checked = false;
  bool enabled = true;
  int interval = 0;  // milliseconds, for a timer
};

// A window as data: any window layer builds it from this.
struct WindowSpec {
  std::string_view program;            // names the artwork: <program>-icon, <program>-decoration
  std::string_view title;              // the title bar, never changed
  std::string_view application_title;  // the title of every message box
  int client_width;
  int client_height;
  bool minimize_button;
  std::span<const ControlSpec> controls;  // in the order they are made: the first lies lowest
};

// Whether the control takes the keyboard focus: labels, the decorative picture and the timer
// never do, whatever their place in the tab order.
constexpr bool TakesFocus(const ControlSpec& spec) {
  return spec.tab >= 0 && spec.kind != ControlKind::Label && spec.kind != ControlKind::Image &&
         spec.kind != ControlKind::Timer;
}

// The controls that take the focus, in the order Tab moves it: tab index 0 first.
inline std::vector<const ControlSpec*> TabOrder(std::span<const ControlSpec> controls) {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& spec : controls) {
    if (TakesFocus(spec)) {
      order.push_back(&spec);
    }
  }
  std::ranges::sort(order, {}, &ControlSpec::tab);
  return order;
}

// The control of that name; a name the table lacks is a programming error.
constexpr const ControlSpec& SpecNamed(std::span<const ControlSpec> controls,
                                       std::string_view name) {
  for (const ControlSpec& spec : controls) {
    if (spec.name == name) {
      return spec;
    }
  }
  throw std::logic_error("no such control");
}

}  // namespace shell
