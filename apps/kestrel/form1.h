#pragma once

#include <QCheckBox>

#include "nsl/load_nsl.h"
#include "shell/qt/viewer_form.h"

namespace kestrel {

// kestrel's window: the big screen and the preview of an NSL startup logo, the folder browser,
// and the two drawing options.
class Form1 : public shell::ViewerForm {
 public:
  // Runs Form_Load with the start-up argument; `messages` replaces the message boxes in tests.
  explicit Form1(const shell::NativeString& argument, shell::MessageBoxService* messages = nullptr);

 private:
  void Form_Load(const shell::NativeString& argument);
  void SetLanguage();
  void Check1_Click();
  void Check2_Click();
  void Label3_Click();
  void Label4_Click();
  void ShowCurrentFile() override;
  void LoadNslBuffered();
  void LoadNslDirect();
  nsl::NslLoad Load();
  static shell::ViewerDesign Design();

  // ShowOnBigScreen, DotColor, GridColor and DotBrush, set once by Form_Load.
  nsl::DrawingMembers drawing_;

  shell::SurfaceView* Picture2;
  QCheckBox* Check1;
  QCheckBox* Check2;
  shell::ClickableLabel* Label1;
  shell::ClickableLabel* Label2;
  shell::ClickableLabel* Label3;
  shell::ClickableLabel* Label4;
};

}  // namespace kestrel
