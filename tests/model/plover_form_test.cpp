#include "apps/plover/form1.h"
#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// plover's window model: where it differs from kestrel's, and the export with LogoManager faked.
class PloverForm : public ViewerTest {
 protected:
  void SetUp() override {
    for (const char* name : {"picture_wave.nlm", "startup_sunrise.nlm"}) {
      Copy(name, name);
    }
    auto bytes = test_support::ReadBytes(test_support::SamplePath("operator_plover.nlm"));
    std::fill_n(bytes.begin(), 10, std::uint8_t{0xFF});  // another header: not examined
    folder_.Write("operator_plover.nlm", bytes);
    Copy("kestrel_bird.nsl", "kestrel_bird.nsl");
  }
  void Open(const fs::path& argument, bool usable = true, bool starts = true) {
    const auto look_up = [=] { return nlm::LogoManagerLookup{"C:\\LM\\LogoManager.exe ", usable}; };
    const auto start = [=, this](const std::string& program, const fs::path& file) {
      started_.push_back(program + "|" + file.string());
      return starts;
    };
    ViewerTest::Open<plover::Form1>(argument, plover::ExportServices{look_up, start});
  }
  const std::string& Label1() { return Control("Label1").Caption(); }

  std::vector<std::string> started_;
};

TEST_F(PloverForm, EachKindIsNamedAndDrawnOnItsOwnGridCentredIfNarrowEitherWayOfDrawing) {
  // The grid's corner: (505 - 6 * 72 - 1) / 2 = 36 and (289 - 6 * 14 - 1) / 2 = 102.
  const std::tuple<const char*, const char*, int, int, const char*> cases[] = {
      {"Logo Operatora/Grup", "Operator/Group Logo", 36, 102, "operator_plover"},
      {"Wiadomość Obrazkowa", "Graphical Message", 36, 60, "picture_wave"},
      {"Logo Startowe", "Starting Logo", 0, 0, "startup_sunrise"}};
  for (const bool english : {false, true}) {
    language_ = english ? "en" : "pl";
    Open("");
    for (const bool drawing_shown : {false, true}) {
      if (drawing_shown) {
        Click("Label4");  // its caption toggles "Don't show while drawing": the screen is cleared
        EXPECT_EQ(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Immediate);
        EXPECT_EQ(BigScreenDiffers(Blank(), shell::kScreenColor), "");
      }
      for (const auto& [polish, in_english, ox, oy, art] : cases) {
        Click("Command3");
        EXPECT_EQ(Label1(), english ? in_english : polish);
        EXPECT_EQ(BigScreenDiffers(SampleArt(art), shell::kGridColor, ox, oy), "") << art;
      }
    }
  }
}

TEST_F(PloverForm, ExportStartsLogoManagerOnlyWithAChosenFileAndClosesAfterwards) {
  const std::string hint = "Wybierz plik, który chcesz eksportować do LogoManagera!";
  const std::string failed = "Nie udało się uruchomić LogoManagera.";
  const struct {
    const char* what;
    bool usable, chosen /* a file named at start-up */, starts;
    int check2;
    std::string message;
    bool started, closes;
  } cases[] = {
      {"not usable: the button stays disabled", false, true, true, 1, "", false, false},
      {"nothing chosen: the hint only", true, false, true, 1, hint, false, false},
      {"started, then closed", true, true, true, 1, "", true, true},
      {"started, and plover stays", true, true, true, 0, "", true, false},
      {"a failed start is said and plover stays", true, true, false, 1, failed, true, false}};
  const fs::path file = Folder() / "picture_wave.nlm";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    started_.clear();
    Open(c.chosen ? file : fs::path(), c.usable, c.starts);
    EXPECT_EQ(Control("Command5").Enabled(), c.usable);
    Check("Check2").SetValue(c.check2);
    Click("Command5");
    EXPECT_EQ(Messages(), c.message);
    EXPECT_EQ(started_, std::vector<std::string>(c.started ? 1u : 0u,
                                                 "C:\\LM\\LogoManager.exe |" + file.string()));
    EXPECT_EQ(Control<shell::Timer>("Timer1").Enabled(), c.closes);
    Control<shell::Timer>("Timer1").Tick();
    EXPECT_EQ(form_->Closed(), c.closes);
  }
  Click("Label5");  // the caption toggles the option too
  EXPECT_EQ(Check("Check2").Value(), 0);
  EXPECT_EQ(Control<shell::Timer>("Timer1").Interval(), 2000);
}

}  // namespace
}  // namespace model_test
