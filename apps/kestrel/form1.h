#pragma once

#include "nsl/load_nsl.h"
#include "shell/form/viewer_form.h"

namespace kestrel {

// kestrel's window: the big screen and the preview of an NSL startup logo, the folder browser,
// and the two drawing options.
class Form1 : public shell::ViewerForm {
 public:
  explicit Form1(shell::ViewerServices services);

  void Form_Load(const shell::NativeString& argument) override;

 private:
  void SetLanguage();
  void Check1_Click();
  void Check2_Click();
  void Label3_Click();
  void Label4_Click();
  void ShowCurrentFile() override;
  void LoadNslBuffered();
  void LoadNslDirect();
  // What a decoder needs to draw CurrentFilePath with the drawing members.
  nsl::NslLoad NslRequest();

  // ShowOnBigScreen, DotColor, GridColor and DotBrush, set once by Form_Load.
  nsl::DrawingMembers drawing_;

  shell::CheckBox Check1;
  shell::CheckBox Check2;
  shell::Label Label1;
  shell::Label Label2;
  shell::Label Label3;
  shell::Label Label4;
};

}  // namespace kestrel
