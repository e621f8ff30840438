#include "shell/qt/browser_lists.h"

#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <map>
#include <utility>

#include "shell/folder_listing.h"
#include "shell/qt/display.h"

namespace shell {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kIndentPerLevel = 8;

// Indents each folder by its depth below the drive's root, as classic folder lists do.
class FolderIndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() + kIndentPerLevel * index.data(kLevelRole).toInt());
    QStyledItemDelegate::paint(painter, indented, index);
  }
};

// Our own small icons: the style's standard ones come from the icon theme, whose first look-up
// costs more start-up time than everything else in the window.
const QIcon& ListIcon(const char* name) {
  static std::map<std::string, QIcon> icons;
  QIcon& icon = icons[name];
  if (icon.isNull()) {
    icon = QIcon(QStringLiteral(":/shell/%1.png").arg(QLatin1String(name)));
  }
  return icon;
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  ShowDrives(ListDrives());
  connect(this, &QComboBox::currentIndexChanged, this, &DriveList::changed);
}

void DriveList::showPopup() {
  const std::filesystem::path current = CurrentDrive().root;
  ShowDrives(ListDrives());
  ShowDriveOf(current);
  QComboBox::showPopup();
}

void DriveList::ShowDrives(std::vector<Drive> drives) {
  const QSignalBlocker quiet(this);
  drives_ = std::move(drives);
  clear();
  for (const Drive& drive : drives_) {
    addItem(ListIcon("drive"), FromUtf8(drive.label));
  }
}

const Drive& DriveList::CurrentDrive() const {
  return drives_[static_cast<std::size_t>(std::max(currentIndex(), 0))];
}

const Drive& DriveList::DriveOf(const std::filesystem::path& folder) const {
  return drives_[DriveIndexOf(drives_, folder)];
}

void DriveList::SetDriveOf(const std::filesystem::path& folder) {
  setCurrentIndex(static_cast<int>(DriveIndexOf(drives_, folder)));
}

void DriveList::ShowDriveOf(const std::filesystem::path& folder) {
  const QSignalBlocker quiet(this);
  SetDriveOf(folder);
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new FolderIndentDelegate(this));
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit openRequested(row(item)); });
}

std::error_code FolderList::SetPath(const std::filesystem::path& folder, const Drive& drive) {
  std::error_code error;
  const std::vector<NativeString> subfolders = ListSubfolders(folder, error);
  if (error) {
    return error;
  }
  path_ = folder;
  clear();
  folders_.clear();
  const auto add = [this](const QString& text, const std::filesystem::path& place, int level,
                          const char* icon) {
    auto* item = new QListWidgetItem(ListIcon(icon), text, this);
    item->setData(kLevelRole, level);
    folders_.push_back(place);
  };
  std::filesystem::path place = drive.root;
  int level = 0;
  add(FromUtf8(drive.label), place, level, "folder-open");
  for (const std::filesystem::path& part : folder.lexically_relative(drive.root)) {
    if (part.empty() || part == ".") {
      continue;
    }
    place /= part;
    add(DisplayName(part.native()), place, ++level, "folder-open");
  }
  setCurrentRow(count() - 1);
  for (const NativeString& name : subfolders) {
    add(DisplayName(name), folder / name, level + 1, "folder-closed");
  }
  emit changed();
  return {};
}

std::filesystem::path FolderList::FolderAt(int row) const {
  return folders_.at(static_cast<std::size_t>(row));
}

void NameListModel::SetNames(std::vector<NativeString> names) {
  beginResetModel();
  names_ = std::move(names);
  endResetModel();
}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) {
    return {};
  }
  return DisplayName(names_[static_cast<std::size_t>(index.row())]);
}

FileList::FileList(std::string extension, QWidget* parent)
    : QListView(parent), extension_(std::move(extension)), model_(this) {
  setModel(&model_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) {
              selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
              emit selected();
            }
          });
}

std::error_code FileList::SetPath(const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<NativeString> names = ListMatchingFiles(folder, extension_, error);
  path_ = folder;
  model_.SetNames(std::move(names));
  return error;
}

const NativeString& FileList::Entry(int index) const {
  return model_.Names().at(static_cast<std::size_t>(index));
}

int FileList::SelectedIndex() const {
  const QModelIndex current = currentIndex();
  return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void FileList::SetSelectedIndex(int index) {
  selectionModel()->setCurrentIndex(model_.index(index), QItemSelectionModel::ClearAndSelect);
}

}  // namespace shell
