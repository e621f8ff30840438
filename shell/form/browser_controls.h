#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "shell/form/controls.h"
#include "shell/system/drives.h"
#include "shell/system/path_rules.h"

namespace shell {

// Drive1: the drives of the system, read again each time the list opens.
class DriveList : public Control {
 public:
  DriveList(const ControlSpec& spec, std::function<std::vector<Drive>()> list_drives);

  const std::vector<Drive>& Drives() const { return drives_; }
  int CurrentIndex() const { return current_; }
  const Drive& CurrentDrive() const { return drives_[static_cast<std::size_t>(current_)]; }
  const Drive& DriveOf(const std::filesystem::path& folder) const;
  // The drive that holds the folder; none when no drive does.
  const Drive* DriveHolding(const std::filesystem::path& folder) const;

  // The list opens: media mounted meanwhile appear, and the current drive stays current.
  void Reread();
  // Another drive runs the change handler.
  void SetCurrentIndex(int index);
  // Shows the drive that holds the folder without running the handler.
  void ShowDriveOf(const std::filesystem::path& folder);
  void OnChange(Handler handler) { change_ = std::move(handler); }

 private:
  std::function<std::vector<Drive>()> list_drives_;
  std::vector<Drive> drives_;
  int current_ = 0;
  Handler change_;
};

// One row of the folder list: a folder of the chain from the drive's root down to the open
// one, or one of the open folder's subfolders.
struct FolderRow {
  std::filesystem::path folder;
  std::string text;  // UTF-8, as shown
  int level;         // depth below the drive's root
  bool open;         // on the chain
};

// Dir1: the open folder, the chain that leads to it and its subfolders, one row highlighted.
class FolderList : public Control {
 public:
  using Control::Control;

  const std::filesystem::path& Path() const { return path_; }
  const std::vector<FolderRow>& Rows() const { return rows_; }
  int SelectedIndex() const { return selected_; }
  // The number of the listing shown, one more with every new listing, so that a view can tell a
  // new listing from a new highlight.
  unsigned ListingNumber() const { return listing_; }

  // Opens the folder and runs the change handler; a folder that cannot be read leaves
  // everything as it was and returns why.
  std::error_code SetPath(const std::filesystem::path& folder, const Drive& drive);
  // A click or an arrow key moves the highlight without opening anything.
  void SetSelectedIndex(int row);
  // A double-click or Enter asks for the row's folder; when it cannot be opened, the highlight
  // goes back to the open folder, so that the list agrees with the files shown.
  void Open(int row);
  void OnChange(Handler handler) { change_ = std::move(handler); }
  void OnOpen(std::function<bool(const std::filesystem::path&)> open) { open_ = std::move(open); }

 private:
  std::filesystem::path path_;
  std::vector<FolderRow> rows_;
  int selected_ = -1;
  int open_row_ = -1;
  unsigned listing_ = 0;
  Handler change_;
  std::function<bool(const std::filesystem::path&)> open_;
};

// File1: the regular files of one folder that match the pattern, in a reader's order.
class FileList : public Control {
 public:
  FileList(const ControlSpec& spec, std::string extension)
      : Control(spec), extension_(std::move(extension)) {}

  const std::filesystem::path& Path() const { return path_; }
  unsigned ListingNumber() const { return listing_; }
  // Re-reads the folder, with nothing selected; a folder that cannot be read shows no entries.
  std::error_code SetPath(const std::filesystem::path& folder);

  int Count() const { return static_cast<int>(entries_.size()); }
  const NativeString& Entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
  int SelectedIndex() const { return selected_; }
  const NativeString& SelectedName() const { return Entry(selected_); }

  // Each time an entry becomes selected the click handler runs, before this returns, also when
  // the user picks the entry that is already selected (a click on it draws it again); -1 leaves
  // nothing selected and runs nothing.
  void SetSelectedIndex(int index);
  // A letter typed in the list selects the next entry, after the selected one and round from
  // the top, whose name starts with it.
  void TypeLetter(char32_t letter);
  void OnClick(Handler handler) { click_ = std::move(handler); }

 private:
  std::string extension_;
  std::filesystem::path path_;
  std::vector<NativeString> entries_;
  int selected_ = -1;
  unsigned listing_ = 0;
  Handler click_;
};

}  // namespace shell
