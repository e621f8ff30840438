// Starts a window as the programs do and ends right after its first paint, so that the
// process's life is its start-up. KP_PROBE_KESTREL: kestrel on its start-up argument, ending
// after the big screen has painted; otherwise a bare Qt window of the same size.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#ifdef KP_PROBE_KESTREL
#include "apps/kestrel/form1.h"
#include "shell/qt/message_boxes.h"
#include "shell/qt/window_layer.h"
#include "shell/system/command_line.h"
#include "shell/system/settings_file.h"
#endif

namespace {

class QuitAfterFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QTimer::singleShot(0, qApp,
                         &QCoreApplication::quit);  // once the paint has reached the screen
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
#ifdef KP_PROBE_KESTREL
  shell::QtMessageBoxService messages;
  kestrel::Form1 form({.messages = messages, .read_language_setting = shell::ReadLanguageSetting});
  shell::QtWindow window(form);
  messages.Attach(&window, QStringLiteral("Kestrel"));
  form.Form_Load(shell::StartupArgumentText(argc, argv));
  QWidget* painted = window.findChild<QWidget*>(QStringLiteral("Picture1"));
#else
  (void)argc;
  QWidget window;
  window.setFixedSize(658, 466);
  QWidget* painted = &window;
#endif
  QuitAfterFirstPaint quit;
  painted->installEventFilter(&quit);
  window.show();
  return application.exec();
}
