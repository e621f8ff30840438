#pragma once

#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>

#include "shell/command_line.h"

namespace shell {

struct ProgramInfo {
  std::string_view name;           // as typed in a shell
  std::string_view what_it_shows;  // for --help
  std::string_view pattern;
  std::string_view version;
};

// The whole life of a viewer: --help and --version answered without a window; otherwise the
// window, opened on the start-up argument, until it is closed.
template <typename Form>
int RunViewer(int argc, char** argv, const ProgramInfo& program) {
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
  Form window(argument);
  window.show();
  return application.exec();
}

}  // namespace shell
