#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "shell/drives.h"
#include "shell/logo_canvas.h"
#include "shell/message_box.h"
#include "shell/path_rules.h"
#include "shell/qt/browser_lists.h"
#include "shell/qt/clickable_label.h"
#include "shell/qt/language_setting.h"
#include "shell/qt/surface_view.h"
#include "shell/texts.h"

namespace shell {

// What makes one viewer's window its own.
struct ViewerDesign {
  const char* program;        // names its artwork: :/kestrel/kestrel-icon.png, -decoration.jpg
  QString application_title;  // the title of every message box; the title bar adds " 1.0"
  QSize client_size;
  bool minimize_button;
  std::string extension;  // the file list's pattern is "*" and this
  LogoCanvas::Preview preview;
  // Where the shared controls that move between the windows sit, in client-area pixels. The big
  // screen and Previous and Next are at the same places in both; the file list runs from top to
  // bottom, and the drive list sits over the folder list in one column.
  int file_list_left, file_list_width, folder_lists_left, folder_lists_width;
  QRect Command1, Command2, Image1;
};

// The window both viewers share: the big screen, the drive, folder and file lists, Next and
// Previous, Exit and About, the decorative picture, and the start-up scan. Each program adds its
// own controls and draws the file its own way.
class ViewerForm : public QWidget {
 public:
  // Splits a full path into its folder half (Typ = -1) or its name half (any other Typ).
  NativeString SamKatalog(const NativeString& Dane, std::int16_t Typ) const;

  const std::filesystem::path& CurrentFile() const { return CurrentFilePath; }
  const LogoCanvas& Canvas() const { return canvas_; }

 protected:
  // `messages` replaces the on-screen message boxes, for tests.
  ViewerForm(const ViewerDesign& design, MessageBoxService* messages);

  enum class StartScan { ToTheEnd, StopAtFirstMatch };
  // Opens the folder of the start-up argument and selects the entry equal to its name, which
  // draws it. Every failing step is skipped without a message; an empty argument, or one whose
  // folder cannot be opened, leaves the lists at the working folder.
  void OpenStartFile(const NativeString& argument, StartScan scan);

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  // Draws CurrentFilePath; File1_Click has cleared the canvas.
  virtual void ShowCurrentFile() = 0;

  static void Place(QWidget* control, const char* name, const QRect& place);
  void SetTabOrder(std::initializer_list<QWidget*> order);
  // Each caption is shown in the language; English replaces the Polish design captions.
  template <typename Captions>
  void ShowCaptions(const Captions& captions, Language language) {
    for (const Caption& caption : captions) {
      SetControlText(caption.control, caption.In(language));
    }
  }
  // Reads the language setting once, takes the program's texts in that language and, in
  // English, replaces the Polish design captions.
  template <typename Texts, typename Captions>
  Texts ApplyLanguage(Texts (*texts_in)(Language), const Captions& captions) {
    language_ = ChooseLanguage(ReadLanguageSetting());
    Texts texts = texts_in(language_);
    ErrorPrefix = texts.ErrorPrefix;
    AboutText = texts.AboutText;
    if (language_ == Language::English) {
      ShowCaptions(captions, language_);
    }
    return texts;
  }
  ClickableLabel* AddLabel(const char* name, const QRect& place, const QFont& font);

  std::filesystem::path CurrentFilePath;
  std::string ErrorPrefix;
  std::string AboutText;
  Language language_ = Language::Polish;

  LogoCanvas canvas_;
  std::unique_ptr<MessageBoxService> own_messages_;  // when no other service was given
  MessageBoxService& messages_;
  SurfaceView* Picture1;
  FileList* File1;
  DriveList* Drive1;
  FolderList* Dir1;
  QPushButton* Command4;
  QPushButton* Command3;
  QPushButton* Command1;
  QPushButton* Command2;
  QLabel* Image1;

 private:
  void SetControlText(std::string_view control, std::string_view text);
  // Dir1's path := folder, which runs Dir1_Change; false, with a message unless quiet, when the
  // folder cannot be opened.
  bool OpenFolder(const std::filesystem::path& folder);
  void ReportFolderFailure(const std::filesystem::path& folder, std::error_code error);
  void CentreOnScreen();

  DriveFolders drive_folders_;
  bool quiet_failures_ = false;  // start-up reports nothing
};

}  // namespace shell
