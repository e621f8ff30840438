#pragma once

#include <QString>

#include "shell/message_box.h"

class QWidget;

namespace shell {

// Modal message boxes with one OK button, titled with the program's title.
class QtMessageBoxService : public MessageBoxService {
 public:
  QtMessageBoxService(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}
  void Show(std::string_view text, MessageIcon icon) override;

 private:
  QWidget* parent_;
  QString title_;
};

}  // namespace shell
