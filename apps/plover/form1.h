#pragma once

#include <QCheckBox>
#include <QTimer>

#include "shell/qt/viewer_form.h"

namespace plover {

// plover's window: the big screen with the NLM picture and its kind, the folder browser, the
// drawing option and the export controls.
class Form1 : public shell::ViewerForm {
 public:
  // Runs Form_Load with the start-up argument; `messages` replaces the message boxes in tests.
  explicit Form1(const shell::NativeString& argument, shell::MessageBoxService* messages = nullptr);

 private:
  // The picture of every selected file comes from one decoder, whatever the option says.
  void ShowCurrentFile() override;
  void ShowNlmFile();
  void Form_Load(const shell::NativeString& argument);
  void SetLanguage();
  void Check1_Click();
  void Label4_Click();
  void Label5_Click();
  void Command5_Click();
  void Timer1_Timer();
  static shell::ViewerDesign Design();

  shell::PloverTexts texts_;
  std::string LogoManagerPath;  // found once at start-up; empty when LogoManager is not there

  shell::ClickableLabel* Label1;
  shell::ClickableLabel* Label2;
  shell::ClickableLabel* Label3;
  shell::ClickableLabel* Label4;
  shell::ClickableLabel* Label5;
  QCheckBox* Check1;
  QCheckBox* Check2;
  QPushButton* Command5;
  QTimer* Timer1;
};

}  // namespace plover
