#include "shell/system/command_line.h"

namespace shell {

NativeString StartupArgumentText(int argc, char** argv) {
  NativeString text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      text += ' ';
    }
    text += argv[i];
  }
  return text;
}

}  // namespace shell
