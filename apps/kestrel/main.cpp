#include <memory>

#include "apps/kestrel/form1.h"
#include "shell/qt/viewer_main.h"

int main(int argc, char** argv) {
  return shell::RunViewer(argc, argv, {"kestrel", "a Nokia startup logo", "*.nsl", KP_VERSION},
                          [](shell::ViewerServices services) {
                            return std::make_unique<kestrel::Form1>(std::move(services));
                          });
}
