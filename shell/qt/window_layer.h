#pragma once

#include <QWidget>
#include <vector>

#include "shell/form/viewer_form.h"

namespace shell {

// A viewer's window on screen, built from its control table: it shows what the form's
// controls hold and hands the user's actions to them.
class QtWindow : public QWidget {
 public:
  explicit QtWindow(ViewerForm& form);
  ~QtWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Activated again, the window gives the focus back to the control that had it.
  bool event(QEvent* event) override;
  // A local file or folder dragged from a file manager is taken; the model opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QObject* Make(const ControlSpec& spec);
  void SetTabOrder();

  ViewerForm& form_;
  std::vector<Control*> bound_;  // their views end with the window
};

}  // namespace shell
