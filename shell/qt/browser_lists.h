#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "shell/drives.h"
#include "shell/path_rules.h"

namespace shell {

// Drive1: the drives of the system, read again each time the list opens, so that media
// mounted meanwhile appear.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent);
  void showPopup() override;

  const Drive& CurrentDrive() const;
  const Drive& DriveOf(const std::filesystem::path& folder) const;
  // Selects the drive that holds the folder; tells `changed` when that is another drive.
  void SetDriveOf(const std::filesystem::path& folder);
  // The same without telling anyone, to put the list back after a drive failed to open.
  void ShowDriveOf(const std::filesystem::path& folder);

 signals:
  void changed();

 private:
  void ShowDrives(std::vector<Drive> drives);

  std::vector<Drive> drives_;
};

// Dir1: the chain of folders from the drive's root down to the open folder, then its
// subfolders. A double-click or Enter on an entry asks for that folder to be opened.
class FolderList : public QListWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent);

  const std::filesystem::path& Path() const { return path_; }
  // Opens the folder and tells `changed`; a folder that cannot be read leaves everything as it
  // was and returns why.
  std::error_code SetPath(const std::filesystem::path& folder, const Drive& drive);
  std::filesystem::path FolderAt(int row) const;

 signals:
  void changed();
  void openRequested(int row);

 private:
  std::filesystem::path path_;
  std::vector<std::filesystem::path> folders_;  // one per row
};

// The names a file list shows; the display text is made only for the rows on screen.
class NameListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void SetNames(std::vector<NativeString> names);
  const std::vector<NativeString>& Names() const { return names_; }
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<NativeString> names_;
};

// File1: the regular files of one folder that match the pattern, sorted without regard to
// case. Selecting an entry, by mouse, keyboard or program, tells `selected` at once.
class FileList : public QListView {
  Q_OBJECT

 public:
  FileList(std::string extension, QWidget* parent);

  const std::filesystem::path& Path() const { return path_; }
  // Re-reads the folder, with nothing selected; a folder that cannot be read shows no entries.
  std::error_code SetPath(const std::filesystem::path& folder);

  int Count() const { return static_cast<int>(model_.Names().size()); }
  const NativeString& Entry(int index) const;
  int SelectedIndex() const;
  void SetSelectedIndex(int index);
  const NativeString& SelectedName() const { return Entry(SelectedIndex()); }

 signals:
  void selected();

 private:
  std::string extension_;
  std::filesystem::path path_;
  NameListModel model_;
};

}  // namespace shell
