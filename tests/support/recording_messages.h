#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shell/base/message_box.h"

namespace test_support {

// Keeps every message box that would have been shown.
struct RecordingMessages : shell::MessageBoxService {
  struct Shown {
    std::string text;
    shell::MessageIcon icon;
  };
  void Show(std::string_view text, shell::MessageIcon icon) override {
    if (failures > 0 && failures--) {
      throw std::runtime_error("no message box");
    }
    shown.push_back({std::string(text), icon});
  }
  std::vector<Shown> shown;
  int failures = 0;  // how many of the next boxes fail to show
};

}  // namespace test_support
