#include <memory>

#include "apps/plover/form1.h"
#include "shell/qt/viewer_main.h"

int main(int argc, char** argv) {
  return shell::RunViewer(
      argc, argv,
      {"plover",
       "a LogoManager file: operator or group logo, picture message or startup logo", "*.nlm",
       KP_VERSION},
      [](shell::ViewerServices services) {
        return std::make_unique<plover::Form1>(std::move(services),
                                               plover::ExportServices::System());
      });
}
