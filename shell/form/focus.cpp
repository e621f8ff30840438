#include "shell/form/focus.h"

#include <algorithm>

namespace shell {

Focus::Focus(std::span<const ControlSpec> controls) : controls_(controls) {
  const std::vector<const ControlSpec*> order = TabOrder(controls);
  if (!order.empty()) {
    control_ = order.front()->name;
  }
}

void Focus::MovedTo(std::string_view name) {
  const auto found = std::ranges::find(controls_, name, &ControlSpec::name);
  if (found != controls_.end() && TakesFocus(*found)) {
    control_ = found->name;
  }
}

void Focus::GiveBack() const {
  if (view_) {
    view_();
  }
}

}  // namespace shell
