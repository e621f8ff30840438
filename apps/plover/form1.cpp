#include "apps/plover/form1.h"

#include "apps/plover/layout.h"
#include "nlm/show_nlm.h"

namespace plover {

ExportServices ExportServices::System() {
  return {[] { return nlm::LookUpLogoManager(*nlm::SystemRegistry()); },
          [](const std::string& path, const std::filesystem::path& file) {
            return nlm::StartLogoManager(path, file);
          }};
}

Form1::Form1(shell::ViewerServices services, ExportServices export_services)
    : ViewerForm(kWindow, ".nlm", std::move(services)),
      export_(std::move(export_services)),
      Label1(shell::SpecNamed(kControls, "Label1")),
      Label2(shell::SpecNamed(kControls, "Label2")),
      Label3(shell::SpecNamed(kControls, "Label3")),
      Label4(shell::SpecNamed(kControls, "Label4")),
      Label5(shell::SpecNamed(kControls, "Label5")),
      Check1(shell::SpecNamed(kControls, "Check1")),
      Check2(shell::SpecNamed(kControls, "Check2")),
      Command5(shell::SpecNamed(kControls, "Command5")),
      Timer1(shell::SpecNamed(kControls, "Timer1")) {
  Register({&Label1, &Label2, &Label3, &Label4, &Label5, &Check1, &Check2, &Command5, &Timer1});
  Check1.OnClick(Guarding([this] { Check1_Click(); }));
  Label4.OnClick(Guarding([this] { Label4_Click(); }));
  Label5.OnClick(Guarding([this] { Label5_Click(); }));
  Command5.OnClick(Guarding([this] { Command5_Click(); }));
  Timer1.OnTimer(Guarding([this] { Timer1_Timer(); }));
}

void Form1::Form_Load(const shell::NativeString& argument) {
  SetLanguage();
  OpenStartFile(argument, StartScan::StopAtFirstMatch);
  const nlm::LogoManagerLookup lookup = export_.look_up_logo_manager();
  LogoManagerPath = lookup.LogoManagerPath;
  Command5.SetEnabled(lookup.usable);
}

void Form1::SetLanguage() {
  texts_ = ApplyLanguage(shell::PloverTextsFor, shell::kPloverCaptions);
}

void Form1::Check1_Click() {
  canvas_.ClearCanvas();
  canvas_.SetPresentationMode(Check1.Value() != 0 ? shell::PresentationMode::Deferred
                                                  : shell::PresentationMode::Immediate);
}

void Form1::Label4_Click() {
  Check1.Toggle();
}

void Form1::Label5_Click() {
  Check2.Toggle();
}

void Form1::Command5_Click() {
  if (CurrentFilePath.empty()) {
    Messages().Show(texts_.ExportHint, shell::MessageIcon::Exclamation);
    return;
  }
  if (!export_.start_logo_manager(LogoManagerPath, CurrentFilePath)) {
    Messages().Show(texts_.ExportFailed, shell::MessageIcon::Critical);  // and plover stays
    return;
  }
  // A second export during the wait keeps the first close time.
  if (Check2.Value() == 1 && !Timer1.Enabled()) {
    Timer1.SetEnabled(true);
  }
}

void Form1::Timer1_Timer() {
  Close();
}

void Form1::ShowCurrentFile() {
  ShowNlmFile();
}

void Form1::ShowNlmFile() {
  nlm::ShowNlmFile({CurrentFilePath, canvas_, texts_,
                    [this](const std::string& name) { Label1.SetCaption(name); }, Failures()});
}

}  // namespace plover
