#include <gtest/gtest.h>

#include <memory>

#include "apps/plover/form1.h"
#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// plover's window model: where it differs from kestrel's, and the export with LogoManager faked.
class PloverForm : public ViewerTest {
 protected:
  void SetUp() override {
    for (const char* name : {"operator_plover.nlm", "picture_wave.nlm", "startup_sunrise.nlm"}) {
      Copy(name, name);
    }
    Copy("kestrel_bird.nsl", "kestrel_bird.nsl");
  }

  plover::Form1& Open(const fs::path& argument, bool logo_manager_usable = true,
                      bool starts = true) {
    form_ = std::make_unique<plover::Form1>(
        Services(),
        plover::ExportServices{
            [logo_manager_usable] {
              return nlm::LogoManagerLookup{"C:\\LM\\LogoManager.exe ", logo_manager_usable};
            },
            [this, starts](const std::string& program, const fs::path& file) {
              started_.push_back(program + "|" + file.string());
              return starts;
            }});
    form_->Form_Load(argument.native());
    return *form_;
  }
  template <typename T>
  T& Control(const char* name) {
    return ControlOf<T>(*form_, name);
  }
  const std::string& Label1() { return Control<shell::Label>("Label1").Caption(); }

  std::unique_ptr<plover::Form1> form_;
  std::vector<std::string> started_;
};

TEST_F(PloverForm, NamesTheKindOfEachFileAndCentresTheNarrowOnes) {
  Open("");
  EXPECT_EQ(Entries(Control<shell::FileList>("File1")),
            (std::vector<std::string>{"operator_plover.nlm", "picture_wave.nlm",
                                      "startup_sunrise.nlm"}));
  EXPECT_EQ(Label1(), "...typ grafiki...");
  struct Case {
    const char* kind;
    int ox, oy, width, height;  // (505 - 6 * 72) / 2 = 36.5 and (289 - 6 * 14) / 2 = 102.5
    const char* art;
  };
  const Case cases[] = {{"Logo Operatora/Grup", 36, 102, 72, 14, "operator_plover.txt"},
                        {"Wiadomość Obrazkowa", 36, 60, 72, 28, "picture_wave.txt"},
                        {"Logo Startowe", 0, 0, 84, 48, "startup_sunrise.txt"}};
  for (const Case& c : cases) {
    Control<shell::Button>("Command3").Click();
    EXPECT_EQ(Label1(), c.kind);
    EXPECT_EQ(BigScreen(form_->Canvas(), c.ox, c.oy, c.width, c.height), Sample(c.art)) << c.kind;
    EXPECT_EQ(ScreenPixel(form_->Canvas(), c.ox + 6 * c.width, c.oy + 6 * c.height),
              shell::kGridColor);  // the grid's last corner
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PloverForm, AFailedLoadEmptiesTheLabelAndShowsOneBox) {
  fs::resize_file(Folder() / "picture_wave.nlm", 137);
  Open(Folder() / "operator_plover.nlm");
  Control<shell::Button>("Command3").Click();
  EXPECT_EQ(Label1(), "");
  EXPECT_EQ(OneMessage(), "Pojawił się błąd treści:\r\n");  // no listed length: the prefix
  EXPECT_EQ(BigScreen(form_->Canvas()), Blank());

  Open(Folder() / "nowhere" / "x.nlm");  // a missing folder is skipped without a message
  EXPECT_EQ(Control<shell::FileList>("File1").Path(), Folder());
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(form_->CurrentFile(), Folder() / "nowhere" / "x.nlm");
}

TEST_F(PloverForm, TheOptionSwitchesThePresentationAndEachLoadDrawsItsGrid) {
  Open("");
  Control<shell::Label>("Label4").Click();
  EXPECT_EQ(Control<shell::CheckBox>("Check1").Value(), 0);
  EXPECT_EQ(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Immediate);
  EXPECT_EQ(ScreenPixel(form_->Canvas(), 36, 102), shell::kScreenColor);  // no grid yet
  Control<shell::Button>("Command3").Click();
  EXPECT_EQ(test_support::ArtFromBigScreen(form_->Canvas().BigScreen().Screen(), 36, 102, 72, 14),
            Sample("operator_plover.txt"));  // on screen before the handler returns
  EXPECT_EQ(ScreenPixel(form_->Canvas(), 36, 102), shell::kGridColor);
  Control<shell::CheckBox>("Check1").Toggle();
  EXPECT_EQ(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
}

TEST_F(PloverForm, EnglishReplacesTheCaptionsButNotTheExportButton) {
  language_ = "en";
  Open("");
  for (const auto& [control, caption] : std::vector<std::pair<const char*, const char*>>{
           {"Label1", "...graphic type..."},
           {"Label4", "Don't show while drawing"},
           {"Label5", "Close Viewer after Export"},
           {"Label2", "Export:"},
           {"Command1", "Exit"},
           {"Command5", "=> LogoManager"}}) {
    EXPECT_EQ(Control<shell::TextControl>(control).Caption(), caption);
  }
  Control<shell::Button>("Command2").Click();
  EXPECT_EQ(OneMessage(), shell::PloverTextsFor(shell::Language::English).AboutText);
}

TEST_F(PloverForm, ExportStartsLogoManagerOnlyWithAChosenFileAndClosesAfterwards) {
  const std::string hint = "Wybierz plik, który chcesz eksportować do LogoManagera!";
  const std::string failed = "Nie udało się uruchomić LogoManagera.";
  struct Case {
    const char* what;
    bool usable;
    bool chosen;  // a file named at start-up
    bool starts;
    int check2;
    std::string message;  // empty: none
    bool started;
    bool closes;
  };
  const Case cases[] = {
      {"not usable: the button stays disabled", false, true, true, 1, "", false, false},
      {"nothing chosen: the hint only", true, false, true, 1, hint, false, false},
      {"started, then closed", true, true, true, 1, "", true, true},
      {"started, and plover stays", true, true, true, 0, "", true, false},
      {"a failed start is said and plover stays", true, true, false, 1, failed, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    started_.clear();
    Open(c.chosen ? Folder() / "picture_wave.nlm" : fs::path(), c.usable, c.starts);
    EXPECT_EQ(Control<shell::Button>("Command5").Enabled(), c.usable);
    Control<shell::CheckBox>("Check2").SetValue(c.check2);
    Control<shell::Button>("Command5").Click();
    EXPECT_EQ(OneMessage(), c.message.empty() ? "messages: 0" : c.message);
    EXPECT_EQ(started_, c.started ? std::vector<std::string>{"C:\\LM\\LogoManager.exe |" +
                                                             (Folder() / "picture_wave.nlm").string()}
                                  : std::vector<std::string>{});
    EXPECT_EQ(Control<shell::Timer>("Timer1").Enabled(), c.closes);
    Control<shell::Timer>("Timer1").Tick();
    EXPECT_EQ(form_->Closed(), c.closes);
  }
  Open(Folder() / "picture_wave.nlm");  // the caption toggles the option too
  Control<shell::Label>("Label5").Click();
  EXPECT_EQ(Control<shell::CheckBox>("Check2").Value(), 0);
  EXPECT_EQ(Control<shell::Timer>("Timer1").Interval(), 2000);
}

}  // namespace
}  // namespace model_test
