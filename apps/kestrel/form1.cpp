#include "apps/kestrel/form1.h"

#include "shell/qt/display.h"

namespace kestrel {

namespace {

QCheckBox* CheckBox(QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setChecked(true);
  return box;
}

}  // namespace

Form1::Form1(const shell::NativeString& argument, shell::MessageBoxService* messages)
    : ViewerForm(Design(), messages) {
  Picture2 =
      new shell::SurfaceView(*canvas_.PreviewSurface(), shell::SurfaceView::Border::Flat1px, this);
  Place(Picture2, "Picture2", {4, 300, 86, 50});
  Check1 = CheckBox(this);
  Place(Check1, "Check1", {8, 360, 17, 17});
  Label3 = AddLabel("Label3", {24, 360, 153, 17}, font());
  Label2 = AddLabel("Label2", {24, 376, 321, 17}, font());
  QPalette red = Label2->palette();
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  Label2->setPalette(red);
  Check2 = CheckBox(this);
  Place(Check2, "Check2", {8, 400, 17, 17});
  Label4 = AddLabel("Label4", {24, 400, 117, 21}, font());
  Label1 = AddLabel("Label1", {172, 448, 181, 17}, shell::BoldFont(9.75));
  shell::SetCaption(Label1, shell::FromUtf8(shell::EmailLine()));
  ShowCaptions(shell::kKestrelCaptions, shell::Language::Polish);
  SetTabOrder({Command1, Command4, Command3, Picture1, File1, Drive1, Dir1, Check1, Picture2,
               Check2, Command2});
  Picture2->setFocusPolicy(Qt::TabFocus);
  canvas_.SetPreviewForeground(shell::ToRgb(palette().color(QPalette::WindowText)));

  connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
  connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
  connect(Label3, &shell::ClickableLabel::clicked, this, [this] { Label3_Click(); });
  connect(Label4, &shell::ClickableLabel::clicked, this, [this] { Label4_Click(); });
  Form_Load(argument);
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
  if (Check1->isChecked()) {
    canvas_.SetPresentationMode(shell::PresentationMode::Deferred);
    return;
  }
  if (drawing_.ShowOnBigScreen == 1) {
    canvas_.DrawGrid(0, 0, 84, 48, drawing_.GridColor);
  }
  canvas_.SetPresentationMode(shell::PresentationMode::Immediate);
}

void Form1::Check2_Click() {
  drawing_.ShowOnBigScreen = Check2->isChecked() ? 1 : 0;
}

void Form1::Label3_Click() {
  Check1->setChecked(!Check1->isChecked());
}

void Form1::Label4_Click() {
  Check2->setChecked(!Check2->isChecked());
}

void Form1::ShowCurrentFile() {
  if (Check1->isChecked()) {
    LoadNslBuffered();
  } else {
    LoadNslDirect();
  }
}

nsl::NslLoad Form1::Load() {
  return {CurrentFilePath, drawing_, canvas_, {ErrorPrefix, language_, messages_}};
}

void Form1::LoadNslBuffered() {
  nsl::LoadNslBuffered(Load());
}

void Form1::LoadNslDirect() {
  nsl::LoadNslDirect(Load());
}

shell::ViewerDesign Form1::Design() {
  // clang-format off
  return {"kestrel", QStringLiteral("Kestrel"), {658, 466}, true, ".nsl",
          shell::LogoCanvas::Preview::Present, 512, 145, 352, 161,
          {8, 436, 57, 25}, {72, 436, 33, 25}, {36, 296, 349, 169}};
  // clang-format on
}

}  // namespace kestrel
