#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "shell/form/controls.h"

namespace shell {

// A caption beside a check box: hands the mouse's presses and releases to its model, which
// decides what is a click.
class ClickableLabel : public QLabel {
 public:
  ClickableLabel(TextControl& model, QWidget* parent) : QLabel(parent), model_(model) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override { Press(event, false); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(event, true); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      model_.Release(rect().contains(event->position().toPoint()));
    }
    QLabel::mouseReleaseEvent(event);
  }

 private:
  void Press(QMouseEvent* event, bool second_of_double_click) {
    if (event->button() == Qt::LeftButton) {
      model_.Press(second_of_double_click);
    }
    QLabel::mousePressEvent(event);
  }

  TextControl& model_;
};

// A push button that also takes Enter while it has the focus, as its model says.
class EnterButton : public QPushButton {
 public:
  EnterButton(const TextControl& model, QWidget* parent) : QPushButton(parent), model_(model) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      model_.EnterPressed();
      return;
    }
    QPushButton::keyPressEvent(event);
  }

 private:
  const TextControl& model_;
};

}  // namespace shell
