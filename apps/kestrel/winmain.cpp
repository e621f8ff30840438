#include <windows.h>

#include <memory>

#include "apps/kestrel/form1.h"
#include "shell/win32/run_viewer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return shell::win32::RunViewer([](shell::ViewerServices services) {
    return std::make_unique<kestrel::Form1>(std::move(services));
  });
}
