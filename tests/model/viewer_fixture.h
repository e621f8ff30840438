#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/base/display_name.h"
#include "shell/base/native_path.h"
#include "shell/form/viewer_form.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace model_test {

namespace fs = std::filesystem;
using test_support::Art;
using test_support::Blank;
using test_support::SampleArt;
inline constexpr shell::Rgb kWindowText{0, 0, 128};

// A window model on a fresh folder, with the system faked: the language setting, the drives
// (the root alone unless a test adds some), the working folder (the fresh one) and the message
// boxes, which are recorded. As the window layer does, it gives the preview its foreground
// colour, reaches the controls by name and looks at the surfaces once a handler has returned.
class ViewerTest : public ::testing::Test {
 protected:
  template <typename Form, typename... Extra>
  void Open(const fs::path& argument, Extra&&... extra) {
    form_ = std::make_unique<Form>(
        shell::ViewerServices{.messages = messages_,
                              .read_language_setting = [this] { return language_; },
                              .list_drives = [this] { return drives_; },
                              .working_folder = [this] { return Folder(); }},
        std::forward<Extra>(extra)...);
    form_->Canvas().SetPreviewForeground(kWindowText);
    form_->Form_Load(argument.native());
  }
  void OpenKestrel(const fs::path& argument = {}) { Open<kestrel::Form1>(argument); }
  // plover, LogoManager found usable or not at start-up, each start of it a success.
  void OpenPlover(const fs::path& argument, bool usable = false) {
    Open<plover::Form1>(argument, plover::ExportServices{
        [usable] { return nlm::LogoManagerLookup{"C:\\LM.exe", usable}; },
        [](const std::string&, const fs::path&) { return true; }});
  }
  template <typename T = shell::TextControl>
  T& Control(const char* name) { return form_->ControlNamed<T>(name); }
  void Click(const char* name) { Control(name).Click(); }
  shell::CheckBox& Check(const char* name) { return Control<shell::CheckBox>(name); }
  shell::FileList& File1() { return Control<shell::FileList>("File1"); }
  const fs::path& Folder() const { return folder_.Path(); }
  // A sample copied into the folder, or to a full path, as the system's file calls take it (on
  // Windows a name like CON.nsl a file, a long path whole).
  void Copy(const char* sample, const fs::path& name) const {
    fs::copy_file(shell::SystemPath(test_support::SamplePath(sample)),
                  shell::SystemPath(Folder() / name));
  }

  // Where the big screen differs from the picture at (ox, oy) on its grid; "" nowhere.
  std::string BigScreenDiffers(const Art& art, shell::Rgb grid, int ox = 0, int oy = 0) {
    form_->Canvas().Present();
    return test_support::Difference(form_->Canvas().BigScreen().Screen(),
                                    test_support::ScreenOf(art, ox, oy, grid));
  }
  // The preview: in the window-text colour, or in the dot colour while drawing is shown.
  Art Preview() {
    form_->Canvas().Present();
    const bool direct = form_->Canvas().BigScreen().Mode() == shell::PresentationMode::Immediate;
    return test_support::PreviewArt(form_->Canvas().PreviewSurface()->Screen(),
                                    direct ? shell::kDotColor : kWindowText);
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < File1().Count(); ++i) {
      entries.push_back(shell::DisplayText(File1().Entry(i)));
    }
    return entries;
  }
  std::string Selected() {
    return File1().SelectedIndex() < 0 ? "none" : Entries()[std::size_t(File1().SelectedIndex())];
  }
  // The texts of the messages shown since the last call.
  std::string Messages() {
    std::string texts;
    for (const auto& shown : messages_.shown) {
      texts += (texts.empty() ? "" : " | ") + shown.text;
    }
    messages_.shown.clear();
    return texts;
  }

  test_support::TempFolder folder_;
  test_support::RecordingMessages messages_;
  std::optional<std::string> language_;
  std::vector<shell::Drive> drives_{{"/", "/"}};
  std::unique_ptr<shell::ViewerForm> form_;
};

}  // namespace model_test
