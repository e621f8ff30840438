#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "shell/base/message_box.h"

namespace shell::win32 {

// MessageBoxW over the window, titled with the program's title.
class MessageBoxes : public MessageBoxService {
 public:
  void Attach(HWND window, std::wstring title) {
    window_ = window;
    title_ = std::move(title);
  }
  void Show(std::string_view text, MessageIcon icon) override;

 private:
  HWND window_ = nullptr;
  std::wstring title_;
};

// The string value Lang of the key "Software\VB and VBA Program Settings\IconJAR\Options" under
// HKEY_CURRENT_USER, read and never written; empty when absent.
std::optional<std::string> ReadLanguageSetting();

}  // namespace shell::win32
