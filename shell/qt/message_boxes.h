#pragma once

#include <QString>

#include "shell/base/message_box.h"

class QWidget;

namespace shell {

// Modal message boxes with one OK button over the window, titled with the program's title.
class QtMessageBoxService : public MessageBoxService {
 public:
  void Attach(QWidget* window, QString title) {
    window_ = window;
    title_ = std::move(title);
  }
  void Show(std::string_view text, MessageIcon icon) override;

 private:
  QWidget* window_ = nullptr;
  QString title_;
};

}  // namespace shell
