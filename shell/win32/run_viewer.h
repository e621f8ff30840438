#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "shell/form/viewer_form.h"
#include "shell/system/command_line.h"
#include "shell/win32/system_services.h"
#include "shell/win32/text.h"
#include "shell/win32/window.h"

namespace shell::win32 {

// The whole life of a viewer on Windows: the window, opened on the start-up argument, until it
// is closed. `make_form` makes the program's window model from the services of this system.
template <typename MakeForm>
int RunViewer(MakeForm make_form) {
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  MessageBoxes messages;
  const std::unique_ptr<ViewerForm> form =
      make_form(ViewerServices{.messages = messages, .read_language_setting = ReadLanguageSetting});
  Window window(*form);
  messages.Attach(window.Handle(), Wide(form->Window().application_title));
  form->Guarded([&] { form->Form_Load(StartupArgumentText(0, nullptr)); });
  int exit_code = 1;
  form->Guarded([&] { exit_code = window.Run(); });
  return exit_code;
}

}  // namespace shell::win32
