#pragma once

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "shell/form/viewer_form.h"
#include "shell/qt/display.h"
#include "shell/qt/message_boxes.h"
#include "shell/qt/window_layer.h"
#include "shell/system/command_line.h"
#include "shell/system/settings_file.h"

namespace shell {

struct ProgramInfo {
  std::string_view name;           // as typed in a shell
  std::string_view what_it_shows;  // for --help
  std::string_view pattern;
  std::string_view version;
};

// The whole life of a viewer: --help and --version answered without a window; otherwise the
// window, opened on the start-up argument, until it is closed. `make_form` makes the program's
// window model from the services of this system.
template <typename MakeForm>
int RunViewer(int argc, char** argv, const ProgramInfo& program, MakeForm make_form) {
  const NativeString argument = StartupArgumentText(argc, argv);
  switch (RequestOf(argument)) {
    case StartRequest::Help:
      std::fputs(UsageText(program.name, program.what_it_shows, program.pattern).c_str(), stdout);
      return 0;
    case StartRequest::Version:
      std::printf("%.*s %.*s\n", static_cast<int>(program.name.size()), program.name.data(),
                  static_cast<int>(program.version.size()), program.version.data());
      return 0;
    case StartRequest::Open:
      break;
  }
  // The arguments are the file's path, so Qt does not get to read options such as -style in it.
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  QtMessageBoxService messages;
  const std::unique_ptr<ViewerForm> form =
      make_form(ViewerServices{.messages = messages, .read_language_setting = ReadLanguageSetting});
  QtWindow window(*form);
  messages.Attach(&window, FromUtf8(form->Window().application_title));
  form->Guarded([&] { form->Form_Load(argument); });
  window.show();
  int exit_code = 1;
  form->Guarded([&] { exit_code = application.exec(); });
  return exit_code;
}

}  // namespace shell
