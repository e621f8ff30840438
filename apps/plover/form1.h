#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "nlm/logo_manager.h"
#include "shell/form/viewer_form.h"

namespace plover {

// How plover finds LogoManager and hands it a file; tests give fakes.
struct ExportServices {
  std::function<nlm::LogoManagerLookup()> look_up_logo_manager;
  // False when LogoManager could not be started.
  std::function<bool(const std::string& LogoManagerPath,
                     const std::filesystem::path& CurrentFilePath)>
      start_logo_manager;

  // The registry of this system (on Linux the Wine prefix's) and the real start.
  static ExportServices System();
};

// plover's window: the big screen with the NLM picture and its kind, the folder browser, the
// drawing option and the export controls.
class Form1 : public shell::ViewerForm {
 public:
  Form1(shell::ViewerServices services, ExportServices export_services);

  // Every step skips what fails and goes on; nothing is reported.
  void Form_Load(const shell::NativeString& argument) override;

 private:
  // The picture of every selected file comes from one decoder, whatever the option says.
  void ShowCurrentFile() override;
  void ShowNlmFile();
  void SetLanguage();
  void Check1_Click();
  void Label4_Click();
  void Label5_Click();
  void Command5_Click();
  void Timer1_Timer();

  ExportServices export_;
  shell::PloverTexts texts_;
  std::string LogoManagerPath;  // found once at start-up; empty when LogoManager is not there

  shell::Label Label1;
  shell::Label Label2;
  shell::Label Label3;
  shell::Label Label4;
  shell::Label Label5;
  shell::CheckBox Check1;
  shell::CheckBox Check2;
  shell::Button Command5;
  shell::Timer Timer1;
};

}  // namespace plover
