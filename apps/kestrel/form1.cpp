#include "apps/kestrel/form1.h"

#include "apps/kestrel/layout.h"

namespace kestrel {

Form1::Form1(shell::ViewerServices services)
    : ViewerForm(kWindow, ".nsl", std::move(services)),
      Check1(shell::SpecNamed(kControls, "Check1")),
      Check2(shell::SpecNamed(kControls, "Check2")),
      Label1(shell::SpecNamed(kControls, "Label1")),
      Label2(shell::SpecNamed(kControls, "Label2")),
      Label3(shell::SpecNamed(kControls, "Label3")),
      Label4(shell::SpecNamed(kControls, "Label4")) {
  Register({&Check1, &Check2, &Label1, &Label2, &Label3, &Label4});
  Check1.OnClick(Guarding([this] { Check1_Click(); }));
  Check2.OnClick(Guarding([this] { Check2_Click(); }));
  Label3.OnClick(Guarding([this] { Label3_Click(); }));
  Label4.OnClick(Guarding([this] { Label4_Click(); }));
}

void Form1::Form_Load(const shell::NativeString& argument) {
  SetLanguage();
  drawing_.ShowOnBigScreen = 1;
  drawing_.DotColor = shell::kDotColor;
  drawing_.GridColor = shell::kGridColor;
  drawing_.DotBrush = shell::gdi::CreateSolidBrush(drawing_.DotColor);
  OpenStartFile(argument, StartScan::ToTheEnd);
}

void Form1::SetLanguage() {
  ApplyLanguage(shell::KestrelTextsFor, shell::kKestrelCaptions);
}

void Form1::Check1_Click() {
  canvas_.ClearCanvas();
  if (Check1.Value() != 0) {
    canvas_.SetPresentationMode(shell::PresentationMode::Deferred);
    return;
  }
  if (drawing_.ShowOnBigScreen == 1) {
    canvas_.DrawGrid(0, 0, 84, 48, drawing_.GridColor);
  }
  canvas_.SetPresentationMode(shell::PresentationMode::Immediate);
}

void Form1::Check2_Click() {
  drawing_.ShowOnBigScreen = Check2.Value() == 1 ? 1 : 0;
}

void Form1::Label3_Click() {
  Check1.Toggle();
}

void Form1::Label4_Click() {
  Check2.Toggle();
}

void Form1::ShowCurrentFile() {
  if (Check1.Value() != 0) {
    LoadNslBuffered();
  } else {
    LoadNslDirect();
  }
}

nsl::NslLoad Form1::NslRequest() {
  return {CurrentFilePath, drawing_, canvas_, Failures()};
}

void Form1::LoadNslBuffered() {
  nsl::LoadNslBuffered(NslRequest());
}

void Form1::LoadNslDirect() {
  nsl::LoadNslDirect(NslRequest());
}

}  // namespace kestrel
