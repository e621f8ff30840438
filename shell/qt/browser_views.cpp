#include "shell/qt/browser_views.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <map>
#include <string>

#include "shell/base/display_name.h"
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

DriveListView::DriveListView(DriveList& model, QWidget* parent)
    : QComboBox(parent), model_(model) {
  model_.SetView([this] { ShowModel(); });
  ShowModel();
  connect(this, &QComboBox::activated, this, [this](int index) { model_.SetCurrentIndex(index); });
}

void DriveListView::showPopup() {
  model_.Reread();
  QComboBox::showPopup();
}

void DriveListView::ShowModel() {
  const QSignalBlocker quiet(this);
  const std::vector<Drive>& drives = model_.Drives();
  bool same = count() == static_cast<int>(drives.size());
  for (int i = 0; same && i < count(); ++i) {
    same = itemText(i) == FromUtf8(drives[static_cast<std::size_t>(i)].label);
  }
  if (!same) {
    clear();
    for (const Drive& drive : drives) {
      addItem(ListIcon("drive"), FromUtf8(drive.label));
    }
  }
  setCurrentIndex(model_.CurrentIndex());
}

FolderListView::FolderListView(FolderList& model, QWidget* parent)
    : QListWidget(parent), model_(model) {
  setItemDelegate(new FolderIndentDelegate(this));
  setUniformItemSizes(true);
  model_.SetView([this] { ShowModel(); });
  ShowModel();
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!showing_) {
      model_.SetSelectedIndex(row);
    }
  });
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { model_.Open(row(item)); });
}

void FolderListView::ShowModel() {
  showing_ = true;
  if (listing_shown_ != model_.ListingNumber()) {
    listing_shown_ = model_.ListingNumber();
    clear();
    for (const FolderRow& folder : model_.Rows()) {
      auto* item = new QListWidgetItem(ListIcon(folder.open ? "folder-open" : "folder-closed"),
                                       FromUtf8(folder.text), this);
      item->setData(kLevelRole, folder.level);
    }
  }
  setCurrentRow(model_.SelectedIndex());
  showing_ = false;
}

void FileListView::Entries::Reset() {
  beginResetModel();
  endResetModel();
}

int FileListView::Entries::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : model_.Count();
}

QVariant FileListView::Entries::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) {
    return {};
  }
  return FromUtf8(DisplayText(model_.Entry(index.row())));
}

FileListView::FileListView(FileList& model, QWidget* parent)
    : QListView(parent), model_(model), entries_(model, this) {
  setModel(&entries_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  model_.SetView([this] { ShowModel(); });
  ShowModel();
  // A click, or a key that moves the selection, selects; Ctrl+Space or Ctrl+click leaves
  // nothing selected.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UserSelectionChanged(); });
}

void FileListView::focusInEvent(QFocusEvent* event) {
  const bool had_current = currentIndex().isValid();
  QListView::focusInEvent(event);
  if (!had_current) {
    showing_ = true;
    selectionModel()->clearCurrentIndex();
    showing_ = false;
  }
}

void FileListView::mousePressEvent(QMouseEvent* event) {
  const bool on_entry = indexAt(event->position().toPoint()).isValid();
  pressing_ = true;
  QListView::mousePressEvent(event);
  pressing_ = false;
  if (on_entry) {
    UserSelectionChanged();
  }
}

void FileListView::keyboardSearch(const QString& search) {
  if (!search.isEmpty()) {
    model_.TypeLetter(search.toUcs4().back());
  }
}

void FileListView::UserSelectionChanged() {
  if (showing_ || pressing_) {
    return;
  }
  const QModelIndexList selected = selectionModel()->selectedRows();
  model_.SetSelectedIndex(selected.isEmpty() ? -1 : selected.front().row());
}

void FileListView::ShowModel() {
  showing_ = true;
  if (listing_shown_ != model_.ListingNumber()) {
    listing_shown_ = model_.ListingNumber();
    entries_.Reset();
  }
  const int selected = model_.SelectedIndex();
  if (selected < 0) {
    selectionModel()->clearSelection();
  } else {
    const QModelIndex index = entries_.index(selected);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  }
  showing_ = false;
}

}  // namespace shell
