#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/base/file_failure.h"
#include "shell/base/message_box.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/form/browser_controls.h"
#include "shell/form/control_table.h"
#include "shell/form/controls.h"
#include "shell/form/focus.h"
#include "shell/system/drives.h"
#include "shell/system/path_rules.h"
#include "shell/texts/texts.h"

namespace shell {

// What a window needs of the system it runs on; tests give fakes.
struct ViewerServices {
  MessageBoxService& messages;
  std::function<std::optional<std::string>()> read_language_setting;
  std::function<std::vector<Drive>()> list_drives = ListDrives;
  std::function<std::filesystem::path()> working_folder = WorkingFolder;
};

// The model of one control of the table, as its kind says: labels and both kinds of button are
// text controls; the drawing surfaces (the canvas's) and the decorative picture have none.
using ControlRef = std::variant<std::monostate, FileList*, DriveList*, FolderList*, TextControl*,
                                CheckBox*, Timer*>;

// The control whatever its type; none for std::monostate.
Control* AsControl(const ControlRef& control);

// Whether the model is of the kind the table gives the control.
bool FitsKind(const ControlRef& control, ControlKind kind);

// The window model both viewers share: the big screen, the drive, folder and file lists, Next
// and Previous, Exit and About, and the start-up scan. Each program adds its own controls and
// draws the file its own way. A window layer builds the window from Window() and shows the
// controls' state; it holds no behaviour of its own.
class ViewerForm {
 public:
  virtual ~ViewerForm() = default;
  ViewerForm(const ViewerForm&) = delete;
  ViewerForm& operator=(const ViewerForm&) = delete;

  const WindowSpec& Window() const { return window_; }
  // The model of the table's control, of the type its kind says (see FitsKind).
  ControlRef ControlFor(const ControlSpec& spec) const;
  // The named control as a T; a name the table lacks or another type throws.
  template <typename T>
  T& ControlNamed(std::string_view name) const {
    return *std::get<T*>(ControlFor(SpecNamed(window_.controls, name)));
  }
  Focus& KeyboardFocus() { return focus_; }
  LogoCanvas& Canvas() { return canvas_; }
  const LogoCanvas& Canvas() const { return canvas_; }
  const std::filesystem::path& CurrentFile() const { return CurrentFilePath; }

  // The load step, with the start-up argument; it runs before the window is first shown.
  virtual void Form_Load(const NativeString& argument) = 0;

  // Closing the window ends the program: Exit, the close box, plover's timer.
  void Close();
  bool Closed() const { return closed_; }
  void OnClose(Handler layer) { close_ = std::move(layer); }

  // Runs a step of the program (the load step, the window's life, a handler); whatever it throws,
  // which no handler foresaw, becomes one message in the window's language instead of the end of
  // the program.
  void Guarded(const std::function<void()>& step);
  // A control's handler run guarded the same way, so that a user action no handler foresaw
  // failing leaves the window open and usable.
  Handler Guarding(Handler handler) {
    return [this, handler = std::move(handler)] { Guarded(handler); };
  }

  // A file or folder dropped on the window. A folder opens. A file opens as a start-up argument
  // does: its folder in the lists and its entry selected and drawn, or, when the list does not
  // show it, nothing selected. A folder that cannot be opened is said, and the lists stay.
  void Dropped(const std::filesystem::path& dropped);

  // Splits a full path into its folder half (Typ = -1) or its name half (any other Typ).
  NativeString SamKatalog(const NativeString& Dane, std::int16_t Typ) const;

 protected:
  ViewerForm(const WindowSpec& window, std::string extension, ViewerServices services);
  void Register(std::initializer_list<ControlRef> controls);

  enum class StartScan { ToTheEnd, StopAtFirstMatch };
  // Opens the folder of the start-up argument and selects the entry equal to its name, which
  // draws it. Every failing step is skipped without a message: a folder that cannot be opened
  // leaves the lists at its drive's current folder when that is another drive, otherwise at the
  // working folder, where the scan still runs; an empty argument leaves them there too.
  void OpenStartFile(const NativeString& argument, StartScan scan);
  // Selects, and so draws, the file list's entry equal to the name (case-sensitive).
  void SelectEntryNamed(const NativeString& name, StartScan scan);

  // Reads the language setting once, takes the program's texts in that language and, in
  // English, replaces the Polish design captions.
  template <typename Texts, std::size_t N>
  Texts ApplyLanguage(Texts (*texts_in)(Language), const std::array<Caption, N>& captions) {
    language_ = ChooseLanguage(services_.read_language_setting());
    Texts texts = texts_in(language_);
    ErrorPrefix = texts.ErrorPrefix;
    AboutText = texts.AboutText;
    if (language_ == Language::English) {
      for (const Caption& caption : captions) {
        std::get<TextControl*>(ControlFor(SpecNamed(window_.controls, caption.control)))
            ->SetCaption(caption.english);
      }
    }
    return texts;
  }

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  // Draws CurrentFilePath; File1_Click has cleared the canvas.
  virtual void ShowCurrentFile() = 0;

  FailureReporter Failures() { return {ErrorPrefix, language_, messages_}; }
  MessageBoxService& Messages() { return messages_; }

  std::filesystem::path CurrentFilePath;
  std::string ErrorPrefix;
  std::string AboutText;
  Language language_ = Language::Polish;
  LogoCanvas canvas_;

  FileList File1;
  DriveList Drive1;
  FolderList Dir1;
  Button Command4;
  Button Command3;
  Button Command1;
  Button Command2;

 private:
  // Every message box gives the focus back to where it was when it closes.
  class FocusReturningMessages : public MessageBoxService {
   public:
    FocusReturningMessages(MessageBoxService& messages, const Focus& focus)
        : messages_(messages), focus_(focus) {}
    void Show(std::string_view text, MessageIcon icon) override {
      messages_.Show(text, icon);
      focus_.GiveBack();
    }

   private:
    MessageBoxService& messages_;
    const Focus& focus_;
  };

  // Dir1's path := folder, which runs Dir1_Change; false, with a message unless quiet, when the
  // folder cannot be opened.
  bool OpenFolder(const std::filesystem::path& folder);
  void ReportFolderFailure(const std::filesystem::path& folder, std::error_code error);

  const WindowSpec& window_;
  ViewerServices services_;
  Focus focus_;
  FocusReturningMessages messages_;
  std::vector<ControlRef> controls_;
  DriveFolders drive_folders_;
  bool quiet_failures_ = false;  // start-up reports nothing
  bool closed_ = false;
  Handler close_;
};

}  // namespace shell
