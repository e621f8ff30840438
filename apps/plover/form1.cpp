#include "apps/plover/form1.h"

#include "nlm/logo_manager.h"
#include "nlm/show_nlm.h"
#include "shell/qt/display.h"

namespace plover {

Form1::Form1(const shell::NativeString& argument, shell::MessageBoxService* messages)
    : ViewerForm(Design(), messages) {
  Label1 = AddLabel("Label1", {8, 300, 273, 21}, shell::BoldFont(9.75));
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Check1 = new QCheckBox(this);
  Place(Check1, "Check1", {8, 324, 13, 21});
  Label4 = AddLabel("Label4", {24, 328, 153, 17}, font());
  Check2 = new QCheckBox(this);
  Place(Check2, "Check2", {8, 348, 13, 17});
  Label5 = AddLabel("Label5", {24, 348, 169, 17}, font());
  Label2 = AddLabel("Label2", {8, 380, 49, 17}, shell::BoldFont(8.25));
  Command5 = new QPushButton(QStringLiteral("=> LogoManager"), this);
  Command5->setAutoDefault(false);
  Command5->setEnabled(false);
  Place(Command5, "Command5", {4, 400, 97, 25});
  Label3 = AddLabel("Label3", {168, 452, 177, 25}, shell::BoldFont(9.75));
  shell::SetCaption(Label3, shell::FromUtf8(shell::EmailLine()));
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(2000);
  Timer1->setTimerType(
      Qt::PreciseTimer);  // the close comes 2000 ms after the export, not 5 % early
  Check1->setChecked(true);
  Check2->setChecked(true);
  ShowCaptions(shell::kPloverCaptions, shell::Language::Polish);
  SetTabOrder({Command1, Command4, Command3, Picture1, File1, Drive1, Dir1, Command2, Check1,
               Command5, Check2});

  connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
  connect(Label4, &shell::ClickableLabel::clicked, this, [this] { Label4_Click(); });
  connect(Label5, &shell::ClickableLabel::clicked, this, [this] { Label5_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Form_Load(argument);
}

// Every step skips what fails and goes on; nothing is reported.
void Form1::Form_Load(const shell::NativeString& argument) {
  SetLanguage();
  OpenStartFile(argument, StartScan::StopAtFirstMatch);
  const nlm::LogoManagerLookup lookup = nlm::LookUpLogoManager(*nlm::SystemRegistry());
  LogoManagerPath = lookup.LogoManagerPath;
  Command5->setEnabled(lookup.usable);
}

void Form1::SetLanguage() {
  texts_ = ApplyLanguage(shell::PloverTextsFor, shell::kPloverCaptions);
}

void Form1::Check1_Click() {
  canvas_.ClearCanvas();
  canvas_.SetPresentationMode(Check1->isChecked() ? shell::PresentationMode::Deferred
                                                  : shell::PresentationMode::Immediate);
}

void Form1::Label4_Click() {
  Check1->setChecked(!Check1->isChecked());
}

void Form1::Label5_Click() {
  Check2->setChecked(!Check2->isChecked());
}

void Form1::Command5_Click() {
  if (CurrentFilePath.empty()) {
    messages_.Show(texts_.ExportHint, shell::MessageIcon::Exclamation);
    return;
  }
  if (!nlm::StartDetached(nlm::LogoManagerLaunch(LogoManagerPath, CurrentFilePath))) {
    messages_.Show(texts_.ExportFailed, shell::MessageIcon::Critical);  // and plover stays
    return;
  }
  // A second export during the wait keeps the first close time.
  if (Check2->isChecked() && !Timer1->isActive()) {
    Timer1->start();
  }
}

void Form1::Timer1_Timer() {
  close();
}

void Form1::ShowCurrentFile() {
  ShowNlmFile();
}

void Form1::ShowNlmFile() {
  nlm::ShowNlmFile({CurrentFilePath,
                    canvas_,
                    texts_,
                    [this](const std::string& name) { Label1->setText(shell::FromUtf8(name)); },
                    {ErrorPrefix, language_, messages_}});
}

// Narrower lists further right than kestrel's, and the export controls where kestrel has its
// preview.
shell::ViewerDesign Form1::Design() {
  // clang-format off
  return {"plover", QStringLiteral("Plover"), {655, 467}, false, ".nlm",
          shell::LogoCanvas::Preview::None, 516, 137, 348, 169,
          {4, 440, 49, 25}, {64, 440, 33, 25}, {84, 300, 264, 170}};
  // clang-format on
}

}  // namespace plover
