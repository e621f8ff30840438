#include "shell/qt/message_boxes.h"

#include <QMessageBox>

namespace shell {

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxService::Show(std::string_view text, MessageIcon icon) {
  // Qt breaks lines at LF; the texts are joined with CR LF.
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(IconOf(icon), title_, shown, QMessageBox::Ok, window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace shell
