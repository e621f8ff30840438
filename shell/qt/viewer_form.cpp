#include "shell/qt/viewer_form.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>

#include "shell/file_failure.h"
#include "shell/navigation.h"
#include "shell/qt/display.h"
#include "shell/qt/message_boxes.h"

namespace shell {

namespace {

std::filesystem::path WorkingFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::filesystem::path(NativeString(1, kSeparator)) : folder;
}

QPushButton* PictureButton(QWidget* parent, const QString& glyph, QSize glyph_size) {
  auto* button = new QPushButton(parent);
  button->setIcon(QIcon(glyph));
  button->setIconSize(glyph_size);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ViewerForm::ViewerForm(const ViewerDesign& design, MessageBoxService* messages)
    : canvas_(design.preview),
      own_messages_(messages
                        ? nullptr
                        : std::make_unique<QtMessageBoxService>(this, design.application_title)),
      messages_(messages ? *messages : *own_messages_) {
  const QString artwork = QStringLiteral(":/%1/%1").arg(QLatin1String(design.program));
  setWindowTitle(design.application_title + QStringLiteral(" 1.0"));
  setWindowIcon(QIcon(artwork + QStringLiteral("-icon.png")));
  setFont(WindowFont());
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (design.minimize_button) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  setWindowFlags(flags);
  setFixedSize(design.client_size);

  // Created first, so that it lies behind every other control.
  Image1 = new QLabel(this);
  Image1->setPixmap(QPixmap(artwork + QStringLiteral("-decoration.jpg")));
  Place(Image1, "Image1", design.Image1);

  Picture1 = new SurfaceView(canvas_.BigScreen(), SurfaceView::Border::Sunken2px, this);
  File1 = new FileList(design.extension, this);
  Drive1 = new DriveList(this);
  Dir1 = new FolderList(this);
  Command4 = PictureButton(this, QStringLiteral(":/shell/arrow-left.png"), QSize(15, 15));
  Command3 = PictureButton(this, QStringLiteral(":/shell/arrow-right.png"), QSize(15, 15));
  Command1 = new QPushButton(this);
  Command1->setAutoDefault(false);
  Command2 = PictureButton(this, QStringLiteral(":/shell/info.png"), QSize(14, 14));
  Command4->setToolTip(FromUtf8(kPreviousTooltip));
  Command3->setToolTip(FromUtf8(kNextTooltip));
  Place(Picture1, "Picture1", {4, 4, 509, 293});
  Place(File1, "File1", {design.file_list_left, 4, design.file_list_width, 461});
  Place(Drive1, "Drive1", {design.folder_lists_left, 300, design.folder_lists_width, 21});
  Place(Dir1, "Dir1", {design.folder_lists_left, 323, design.folder_lists_width, 141});
  Place(Command4, "Command4", {292, 300, 25, 25});
  Place(Command3, "Command3", {320, 300, 25, 25});
  Place(Command1, "Command1", design.Command1);
  Place(Command2, "Command2", design.Command2);
  Picture1->setFocusPolicy(Qt::TabFocus);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Drive1, &DriveList::changed, this, [this] { Drive1_Change(); });
  connect(Dir1, &FolderList::changed, this, [this] { Dir1_Change(); });
  connect(Dir1, &FolderList::openRequested, this,
          [this](int row) { OpenFolder(Dir1->FolderAt(row)); });
  connect(File1, &FileList::selected, this, [this] { File1_Click(); });
  CentreOnScreen();
}

NativeString ViewerForm::SamKatalog(const NativeString& Dane, std::int16_t Typ) const {
  return shell::SamKatalog(Dane, Typ);
}

void ViewerForm::OpenStartFile(const NativeString& argument, StartScan scan) {
  quiet_failures_ = true;
  const std::filesystem::path working_folder = WorkingFolder();
  drive_folders_.Remember(Drive1->DriveOf(working_folder), working_folder);
  bool opened = false;
  NativeString name;
  if (!argument.empty()) {
    CurrentFilePath = StartupFilePath(argument, working_folder);
    name = SamKatalog(CurrentFilePath.native(), 0);
    opened = OpenFolder(StartupFolder(SamKatalog(CurrentFilePath.native(), -1)));
  }
  if (!opened) {
    OpenFolder(working_folder);
  }
  if (!name.empty()) {
    for (int i = 0; i < File1->Count(); ++i) {
      if (File1->Entry(i) == name) {
        File1->SetSelectedIndex(i);
        if (scan == StartScan::StopAtFirstMatch) {
          break;
        }
      }
    }
  }
  quiet_failures_ = false;
}

void ViewerForm::Command1_Click() {
  close();
}

void ViewerForm::Command2_Click() {
  messages_.Show(AboutText, MessageIcon::Information);
}

void ViewerForm::Command3_Click() {
  if (const auto next = NextIndex(File1->Count(), File1->SelectedIndex())) {
    File1->SetSelectedIndex(*next);
  }
}

void ViewerForm::Command4_Click() {
  if (const auto previous = PreviousIndex(File1->Count(), File1->SelectedIndex())) {
    File1->SetSelectedIndex(*previous);
  }
}

void ViewerForm::Drive1_Change() {
  if (!OpenFolder(drive_folders_.CurrentFolder(Drive1->CurrentDrive()))) {
    Drive1->ShowDriveOf(Dir1->Path());  // back to the drive the lists still show
  }
}

void ViewerForm::Dir1_Change() {
  // A folder opened from the folder list may be the mount point of another drive.
  Drive1->ShowDriveOf(Dir1->Path());
  drive_folders_.Remember(Drive1->CurrentDrive(), Dir1->Path());
  if (const std::error_code error = File1->SetPath(Dir1->Path())) {
    ReportFolderFailure(Dir1->Path(), error);
  }
}

void ViewerForm::File1_Click() {
  canvas_.ClearCanvas();
  CurrentFilePath = JoinFolderAndName(File1->Path().native(), File1->SelectedName());
  ShowCurrentFile();
}

bool ViewerForm::OpenFolder(const std::filesystem::path& folder) {
  const std::filesystem::path normal = folder.lexically_normal();
  // No trailing separator but at a root, so the lists agree on how the folder is written.
  const std::filesystem::path tidy =
      normal.has_filename() || normal == normal.root_path() ? normal : normal.parent_path();
  if (const std::error_code error = Dir1->SetPath(tidy, Drive1->DriveOf(tidy))) {
    ReportFolderFailure(tidy, error);
    return false;
  }
  return true;
}

void ViewerForm::ReportFolderFailure(const std::filesystem::path& folder, std::error_code error) {
  if (!quiet_failures_) {
    messages_.Show(
        FolderFailureMessage(DisplayName(folder.native()).toStdString(), error, language_),
        MessageIcon::Critical);
  }
}

void ViewerForm::Place(QWidget* control, const char* name, const QRect& place) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
}

void ViewerForm::SetTabOrder(std::initializer_list<QWidget*> order) {
  QWidget* previous = nullptr;
  for (QWidget* control : order) {
    if (previous) {
      setTabOrder(previous, control);
    }
    previous = control;
  }
}

ClickableLabel* ViewerForm::AddLabel(const char* name, const QRect& place, const QFont& font) {
  auto* label = new ClickableLabel(this);
  label->setFont(font);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // captions start at the label's top
  Place(label, name, place);
  return label;
}

void ViewerForm::SetControlText(std::string_view control, std::string_view text) {
  QWidget* widget = findChild<QWidget*>(FromUtf8(control));
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    SetCaption(label, FromUtf8(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(FromUtf8(text));
  }
}

void ViewerForm::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace shell
