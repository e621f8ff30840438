#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "shell/form/control_table.h"

namespace shell {

using Handler = std::function<void()>;

// The state of one control. The window layer shows it and hands the user's actions to it; a
// setter that changes the state runs the control's handler before it returns, as the window's
// handlers and its start-up rely on.
class Control {
 public:
  explicit Control(const ControlSpec& spec) : spec_(spec) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlSpec& Spec() const { return spec_; }
  // The window layer's: told after every change of what the control shows.
  void SetView(Handler view) { view_ = std::move(view); }

 protected:
  void Show() const {
    if (view_) {
      view_();
    }
  }

 private:
  const ControlSpec& spec_;
  Handler view_;
};

// A label or a button: a caption, an enabled state and a click.
class TextControl : public Control {
 public:
  explicit TextControl(const ControlSpec& spec)
      : Control(spec), caption_(spec.caption), enabled_(spec.enabled) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  void OnClick(Handler handler) { click_ = std::move(handler); }
  // A click by the user; a disabled control takes none.
  void Click() const;

  // The mouse on it: a click is a press and a release both on it. The second press of a
  // double-click is no new press, so a double-click clicks once.
  void Press(bool second_of_double_click) { pressed_ = !second_of_double_click; }
  void Release(bool over_it);
  // Enter on the focused button clicks it, as Space does.
  void EnterPressed() const { Click(); }

 private:
  std::string caption_;
  bool enabled_;
  bool pressed_ = false;
  Handler click_;
};
using Label = TextControl;
using Button = TextControl;

// A check box without text: 1 checked, 0 clear.
class CheckBox : public Control {
 public:
  explicit CheckBox(const ControlSpec& spec) : Control(spec), value_(spec.checked ? 1 : 0) {}

  int Value() const { return value_; }
  // A change of value runs the click handler; setting the value it has changes nothing.
  void SetValue(int value);
  // A click on the box, or on its caption: 1 becomes 0, anything else 1.
  void Toggle() { SetValue(value_ == 1 ? 0 : 1); }
  void OnClick(Handler handler) { click_ = std::move(handler); }

 private:
  int value_;
  Handler click_;
};

class Timer : public Control {
 public:
  explicit Timer(const ControlSpec& spec) : Control(spec) {}

  int Interval() const { return Spec().interval; }
  bool Enabled() const { return enabled_; }
  // Enabling a running timer changes nothing: it does not start its interval again.
  void SetEnabled(bool enabled);
  void OnTimer(Handler handler) { timer_ = std::move(handler); }
  // The interval has passed; a timer switched off meanwhile does nothing.
  void Tick() const;

 private:
  bool enabled_ = false;
  Handler timer_;
};

}  // namespace shell
