#pragma once

#include <string_view>

namespace shell {

// The icon kinds of the programs' message boxes, with the style values they are known by.
enum class MessageIcon { Critical = 16, Exclamation = 48, Information = 64 };

// A modal message box with one OK button, titled with the program's title. The window layer
// shows it on screen; tests record what would have been shown.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void Show(std::string_view text, MessageIcon icon) = 0;
};

}  // namespace shell
