#include "shell/form/viewer_form.h"

#include <algorithm>

#include "shell/base/display_name.h"
#include "shell/base/file_failure.h"
#include "shell/form/navigation.h"

namespace shell {

namespace {

LogoCanvas::Preview PreviewOf(const WindowSpec& window) {
  const bool present = std::ranges::any_of(
      window.controls, [](const ControlSpec& spec) { return spec.kind == ControlKind::Preview; });
  return present ? LogoCanvas::Preview::Present : LogoCanvas::Preview::None;
}

}  // namespace

Control* AsControl(const ControlRef& control) {
  return std::visit(
      [](auto model) -> Control* {
        if constexpr (std::is_same_v<decltype(model), std::monostate>) {
          return nullptr;
        } else {
          return model;
        }
      },
      control);
}

bool FitsKind(const ControlRef& control, ControlKind kind) {
  switch (kind) {
    case ControlKind::FileList:
      return std::holds_alternative<FileList*>(control);
    case ControlKind::DriveList:
      return std::holds_alternative<DriveList*>(control);
    case ControlKind::FolderList:
      return std::holds_alternative<FolderList*>(control);
    case ControlKind::PictureButton:
    case ControlKind::TextButton:
    case ControlKind::Label:
      return std::holds_alternative<TextControl*>(control);
    case ControlKind::CheckBox:
      return std::holds_alternative<CheckBox*>(control);
    case ControlKind::Timer:
      return std::holds_alternative<Timer*>(control);
    case ControlKind::BigScreen:
    case ControlKind::Preview:
    case ControlKind::Image:
      break;
  }
  return std::holds_alternative<std::monostate>(control);
}

ViewerForm::ViewerForm(const WindowSpec& window, std::string extension, ViewerServices services)
    : canvas_(PreviewOf(window)),
      File1(SpecNamed(window.controls, "File1"), std::move(extension)),
      Drive1(SpecNamed(window.controls, "Drive1"), services.list_drives),
      Dir1(SpecNamed(window.controls, "Dir1")),
      Command4(SpecNamed(window.controls, "Command4")),
      Command3(SpecNamed(window.controls, "Command3")),
      Command1(SpecNamed(window.controls, "Command1")),
      Command2(SpecNamed(window.controls, "Command2")),
      window_(window),
      services_(std::move(services)),
      focus_(window.controls),
      messages_(services_.messages, focus_) {
  Register({&File1, &Drive1, &Dir1, &Command4, &Command3, &Command1, &Command2});
  Command1.OnClick(Guarding([this] { Command1_Click(); }));
  Command2.OnClick(Guarding([this] { Command2_Click(); }));
  Command3.OnClick(Guarding([this] { Command3_Click(); }));
  Command4.OnClick(Guarding([this] { Command4_Click(); }));
  Drive1.OnChange(Guarding([this] { Drive1_Change(); }));
  Dir1.OnChange(Guarding([this] { Dir1_Change(); }));
  Dir1.OnOpen([this](const std::filesystem::path& folder) { return OpenFolder(folder); });
  File1.OnClick(Guarding([this] { File1_Click(); }));
}

void ViewerForm::Register(std::initializer_list<ControlRef> controls) {
  controls_.insert(controls_.end(), controls);
}

ControlRef ViewerForm::ControlFor(const ControlSpec& spec) const {
  const auto found = std::ranges::find_if(controls_, [&spec](const ControlRef& control) {
    return AsControl(control)->Spec().name == spec.name;
  });
  return found == controls_.end() ? ControlRef() : *found;
}

void ViewerForm::Close() {
  if (!closed_) {
    closed_ = true;
    if (close_) {
      close_();
    }
  }
}

void ViewerForm::Guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    Messages().Show(kUnforeseenError.In(language_), MessageIcon::Critical);
  }
}

NativeString ViewerForm::SamKatalog(const NativeString& Dane, std::int16_t Typ) const {
  return shell::SamKatalog(Dane, Typ);
}

void ViewerForm::OpenStartFile(const NativeString& argument, StartScan scan) {
  quiet_failures_ = true;
  const std::filesystem::path working_folder = services_.working_folder();
  const Drive working_drive = Drive1.DriveOf(working_folder);
  drive_folders_.Remember(working_drive, working_folder);
  bool opened = false;
  NativeString name;
  if (!argument.empty()) {
    CurrentFilePath =
        StartupFilePath(argument, working_folder, [this](const std::filesystem::path& root) {
          const Drive* drive = Drive1.DriveHolding(root);
          return drive ? drive_folders_.CurrentFolder(*drive) : root;
        });
    // A full path holds a separator, so both halves exist.
    name = SamKatalog(CurrentFilePath.native(), 0);
    const std::filesystem::path folder = StartupFolder(SamKatalog(CurrentFilePath.native(), -1));
    // A folder that cannot be opened on another drive leaves that drive at its current folder;
    // one that is no full path (the "\\." of "\\.\NUL") is none to open.
    const Drive* drive = Drive1.DriveHolding(folder);
    opened = (folder.is_absolute() && OpenFolder(folder)) ||
             (drive && drive->root != working_drive.root &&
              OpenFolder(drive_folders_.CurrentFolder(*drive)));
  }
  if (!opened) {
    OpenFolder(working_folder);
  }
  if (!name.empty()) {
    SelectEntryNamed(name, scan);
  }
  quiet_failures_ = false;
}

void ViewerForm::SelectEntryNamed(const NativeString& name, StartScan scan) {
  for (int i = 0; i < File1.Count(); ++i) {
    if (File1.Entry(i) == name) {
      File1.SetSelectedIndex(i);
      if (scan == StartScan::StopAtFirstMatch) {
        return;
      }
    }
  }
}

void ViewerForm::Dropped(const std::filesystem::path& dropped) {
  std::error_code error;
  if (std::filesystem::is_directory(dropped, error)) {
    OpenFolder(dropped);
    return;
  }
  if (OpenFolder(dropped.parent_path())) {
    SelectEntryNamed(dropped.filename().native(), StartScan::StopAtFirstMatch);
  }
}

void ViewerForm::Command1_Click() {
  Close();
}

void ViewerForm::Command2_Click() {
  Messages().Show(AboutText, MessageIcon::Information);
}

void ViewerForm::Command3_Click() {
  if (const auto next = NextIndex(File1.Count(), File1.SelectedIndex())) {
    File1.SetSelectedIndex(*next);
  }
}

void ViewerForm::Command4_Click() {
  if (const auto previous = PreviousIndex(File1.Count(), File1.SelectedIndex())) {
    File1.SetSelectedIndex(*previous);
  }
}

void ViewerForm::Drive1_Change() {
  if (!OpenFolder(drive_folders_.CurrentFolder(Drive1.CurrentDrive()))) {
    Drive1.ShowDriveOf(Dir1.Path());  // back to the drive the lists still show
  }
}

void ViewerForm::Dir1_Change() {
  // A folder opened from the folder list may be the mount point of another drive.
  Drive1.ShowDriveOf(Dir1.Path());
  drive_folders_.Remember(Drive1.CurrentDrive(), Dir1.Path());
  if (const std::error_code error = File1.SetPath(Dir1.Path())) {
    ReportFolderFailure(Dir1.Path(), error);
  }
}

void ViewerForm::File1_Click() {
  canvas_.ClearCanvas();
  CurrentFilePath = JoinFolderAndName(File1.Path().native(), File1.SelectedName());
  ShowCurrentFile();
}

bool ViewerForm::OpenFolder(const std::filesystem::path& folder) {
  const std::filesystem::path normal = folder.lexically_normal();
  // No trailing separator but at a root, so the lists agree on how the folder is written.
  const std::filesystem::path tidy =
      normal.has_filename() || normal == normal.root_path() ? normal : normal.parent_path();
  if (const std::error_code error = Dir1.SetPath(tidy, Drive1.DriveOf(tidy))) {
    ReportFolderFailure(tidy, error);
    return false;
  }
  return true;
}

void ViewerForm::ReportFolderFailure(const std::filesystem::path& folder, std::error_code error) {
  if (!quiet_failures_) {
    Messages().Show(FolderFailureMessage(DisplayText(folder.native()), error, language_),
                    MessageIcon::Critical);
  }
}

}  // namespace shell
