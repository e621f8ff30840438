#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QListWidget>

#include "shell/form/browser_controls.h"

namespace shell {

// Drive1 on screen. The drives are read again each time the list opens, so that media
// mounted meanwhile appear.
class DriveListView : public QComboBox {
 public:
  DriveListView(DriveList& model, QWidget* parent);
  void showPopup() override;

 private:
  void ShowModel();

  DriveList& model_;
};

// Dir1 on screen, each folder indented by its depth. A double-click or Enter opens a folder.
class FolderListView : public QListWidget {
 public:
  FolderListView(FolderList& model, QWidget* parent);

 private:
  void ShowModel();

  FolderList& model_;
  unsigned listing_shown_ = 0;
  bool showing_ = false;  // the model's own changes are not the user's
};

// File1 on screen; the text of an entry is made only when its row is on screen.
class FileListView : public QListView {
 public:
  FileListView(FileList& model, QWidget* parent);

 protected:
  // Focus alone selects nothing; Qt would make the first entry current.
  void focusInEvent(QFocusEvent* event) override;
  // A press on an entry picks it, the selected one too: the model draws it again.
  void mousePressEvent(QMouseEvent* event) override;
  // A typed letter goes to the model, which selects the next name starting with it.
  void keyboardSearch(const QString& search) override;

 private:
  class Entries : public QAbstractListModel {
   public:
    Entries(const FileList& model, QObject* parent) : QAbstractListModel(parent), model_(model) {}
    void Reset();
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

   private:
    const FileList& model_;
  };

  void ShowModel();
  void UserSelectionChanged();

  FileList& model_;
  Entries entries_;
  unsigned listing_shown_ = 0;
  bool showing_ = false;
  bool pressing_ = false;  // the selection a press makes is handed over once it is done
};

}  // namespace shell
