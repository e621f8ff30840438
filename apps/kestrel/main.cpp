#include "apps/kestrel/form1.h"
#include "shell/qt/viewer_main.h"

int main(int argc, char** argv) {
  return shell::RunViewer<kestrel::Form1>(argc, argv,
                                          {"kestrel", "a Nokia startup logo", "*.nsl", KP_VERSION});
}
