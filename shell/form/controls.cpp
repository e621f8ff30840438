#include "shell/form/controls.h"

namespace shell {

void TextControl::SetCaption(std::string_view caption) {
  caption_ = caption;
  Show();
}

void TextControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Show();
}

void TextControl::Click() const {
  if (enabled_ && click_) {
    click_();
  }
}

void TextControl::Release(bool over_it) {
  const bool clicked = pressed_ && over_it;
  pressed_ = false;
  if (clicked) {
    Click();
  }
}

void CheckBox::SetValue(int value) {
  if (value == value_) {
    return;
  }
  value_ = value;
  Show();
  if (click_) {
    click_();
  }
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) {
    return;
  }
  enabled_ = enabled;
  Show();
}

void Timer::Tick() const {
  if (enabled_ && timer_) {
    timer_();
  }
}

}  // namespace shell
