#include "shell/form/browser_controls.h"

#include "shell/base/display_name.h"
#include "shell/system/folder_listing.h"

namespace shell {

DriveList::DriveList(const ControlSpec& spec, std::function<std::vector<Drive>()> list_drives)
    : Control(spec), list_drives_(std::move(list_drives)), drives_(list_drives_()) {}

const Drive& DriveList::DriveOf(const std::filesystem::path& folder) const {
  return drives_[DriveIndexOf(drives_, folder)];
}

const Drive* DriveList::DriveHolding(const std::filesystem::path& folder) const {
  const std::optional<std::size_t> index = shell::DriveHolding(drives_, folder);
  return index ? &drives_[*index] : nullptr;
}

void DriveList::Reread() {
  const std::filesystem::path current = CurrentDrive().root;
  drives_ = list_drives_();
  current_ = static_cast<int>(DriveIndexOf(drives_, current));
  Show();
}

void DriveList::SetCurrentIndex(int index) {
  if (index == current_ || index < 0 || index >= static_cast<int>(drives_.size())) {
    return;
  }
  current_ = index;
  Show();
  if (change_) {
    change_();
  }
}

void DriveList::ShowDriveOf(const std::filesystem::path& folder) {
  current_ = static_cast<int>(DriveIndexOf(drives_, folder));
  Show();
}

std::error_code FolderList::SetPath(const std::filesystem::path& folder, const Drive& drive) {
  std::error_code error;
  const std::vector<NativeString> subfolders = ListSubfolders(folder, error);
  if (error) {
    return error;
  }
  path_ = folder;
  rows_.clear();
  std::filesystem::path place = drive.root;
  int level = 0;
  rows_.push_back({place, drive.label, level, true});
  for (const std::filesystem::path& part : folder.lexically_relative(drive.root)) {
    if (part.empty() || part == ".") {
      continue;
    }
    place /= part;
    rows_.push_back({place, DisplayText(part.native()), ++level, true});
  }
  open_row_ = selected_ = static_cast<int>(rows_.size()) - 1;
  for (const NativeString& name : subfolders) {
    rows_.push_back({folder / name, DisplayText(name), level + 1, false});
  }
  ++listing_;
  Show();
  if (change_) {
    change_();
  }
  return {};
}

void FolderList::SetSelectedIndex(int row) {
  if (row >= 0 && row < static_cast<int>(rows_.size())) {
    selected_ = row;
    Show();
  }
}

void FolderList::Open(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) {
    return;
  }
  SetSelectedIndex(row);
  if (!open_ || !open_(rows_[static_cast<std::size_t>(row)].folder)) {
    SetSelectedIndex(open_row_);
  }
}

std::error_code FileList::SetPath(const std::filesystem::path& folder) {
  std::error_code error;
  entries_ = ListMatchingFiles(folder, extension_, error);
  path_ = folder;
  selected_ = -1;
  ++listing_;
  Show();
  return error;
}

void FileList::SetSelectedIndex(int index) {
  if (index < -1 || index >= Count()) {
    return;
  }
  selected_ = index;
  Show();
  if (index >= 0 && click_) {
    click_();
  }
}

void FileList::TypeLetter(char32_t letter) {
  for (int step = 1; step <= Count(); ++step) {
    const int index = (selected_ + step) % Count();
    if (index == selected_) {
      return;
    }
    if (StartsWithLetter(Entry(index), letter)) {
      SetSelectedIndex(index);
      return;
    }
  }
}

}  // namespace shell
