// The rules both window layers carry out, decided once in the model: focus, a caption's click
// and its fitting, typing in the file list, repainting, the timer.
#include "apps/kestrel/layout.h"
#include "apps/plover/layout.h"
#include "model/viewer_fixture.h"
#include "shell/canvas/repaint_pacer.h"
#include "shell/form/caption_fit.h"

namespace model_test {
namespace {

class WindowRules : public ViewerTest {
 protected:
  shell::Focus& Focus() { return form_->KeyboardFocus(); }
};

TEST_F(WindowRules, EachTableControlHasAModelOfItsKind) {
  for (const bool kestrel : {true, false}) {
    kestrel ? OpenKestrel() : OpenPlover("");
    for (const shell::ControlSpec& spec : form_->Window().controls) {
      EXPECT_TRUE(shell::FitsKind(form_->ControlFor(spec), spec.kind)) << spec.name;
    }
  }
  EXPECT_FALSE(shell::FitsKind(form_->ControlFor(shell::SpecNamed(plover::kControls, "Check1")),
                               shell::ControlKind::Label));
}

// The focus starts on Exit (tab index 0) and comes back, after every message box, to the
// control the user last gave it to; labels and pictures never take it.
TEST_F(WindowRules, TheFocusStartsAtTabZeroAndComesBackAfterAMessageBox) {
  OpenKestrel();
  std::vector<std::string> given;
  Focus().SetView([&] { given.emplace_back(Focus().Control()); });
  EXPECT_EQ(Focus().Control(), "Command1");
  Focus().GiveBack();  // the window opens
  for (const char* name : {"Picture1", "File1", "Label3", "Image1", "Nothing"}) {
    Focus().MovedTo(name);
  }
  Click("Command2");  // About
  EXPECT_FALSE(Messages().empty());
  EXPECT_EQ(given, (std::vector<std::string>{"Command1", "File1"}));
  for (const auto& [controls, expected] :
       {std::pair{std::span<const shell::ControlSpec>(kestrel::kControls),
                  "Command1 Command4 Command3 Picture1 File1 Drive1 Dir1 Check1 Picture2 Check2 "
                  "Command2 "},
        {plover::kControls,
         "Command1 Command4 Command3 Picture1 File1 Drive1 Dir1 Command2 "
         "Check1 Command5 Check2 "}}) {
    std::string order;
    for (const shell::ControlSpec* spec : shell::TabOrder(controls)) {
      order += std::string(spec->name) + ' ';
    }
    EXPECT_EQ(order, expected);
  }
}

// A click on a caption is a press and a release both on it; a double-click is one click.
TEST_F(WindowRules, ACaptionClicksOnAPressAndAReleaseOnItAndOnceForADoubleClick) {
  OpenKestrel();
  shell::TextControl& caption = Control("Label3");
  // The mouse: 'p' a press, 'd' a double-click's second press, 'r' a release over the caption,
  // 'R' one elsewhere; the box after.
  for (const auto& [what, mouse, checked] :
       {std::tuple{"a click", "pr", 0}, {"released elsewhere", "pR", 1},
        {"pressed elsewhere", "r", 1}, {"a double-click", "prdr", 0}, {"two clicks", "prpr", 1}}) {
    Check("Check1").SetValue(1);
    for (const char event : std::string_view(mouse)) {
      event == 'p' || event == 'd' ? caption.Press(event == 'd') : caption.Release(event == 'r');
    }
    EXPECT_EQ(Check("Check1").Value(), checked) << what;
  }
}

// A typed letter selects, and draws, the next name starting with it in either case.
TEST_F(WindowRules, ALetterTypedInTheFileListSelectsTheNextNameStartingWithIt) {
  for (const char8_t* name :
       {u8"Ala.nsl", u8"ąb.nsl", u8"Az.nsl", u8"cyna.nsl", u8"Ćma.nsl", u8"lato.nsl"}) {
    Copy("hello_frame.nsl", fs::path(name));
  }
  OpenKestrel();
  const std::pair<char32_t, const char*> steps[] = {
      {U'a', "Ala.nsl"},  {U'A', "Az.nsl"},  {U'a', "Ala.nsl"},  // round from the top
      {U'Ą', "ąb.nsl"},   {U'ć', "Ćma.nsl"}, {U'x', "Ćma.nsl"},
      {U'l', "lato.nsl"}, {U'l', "lato.nsl"}};  // the only one: stays, and is not drawn again
  for (const auto& [letter, selected] : steps) {
    File1().TypeLetter(letter);
    EXPECT_EQ(Selected(), selected) << static_cast<std::uint32_t>(letter);
  }
  form_->Canvas().ClearCanvas();
  File1().TypeLetter(U'l');
  EXPECT_EQ(BigScreenDiffers(Blank(), shell::kScreenColor), "");
  File1().SetSelectedIndex(File1().SelectedIndex());  // a click on the selected entry
  EXPECT_EQ(BigScreenDiffers(SampleArt("hello_frame"), shell::kGridColor), "");
}

// Every text of both programs in both languages, as the user reads it.
TEST_F(WindowRules, EveryCaptionTooltipAndMessageOfBothProgramsInBothLanguages) {
  const std::string author = "Kestrel & Plover", mail = "E-Mail: logos@example.org";
  const struct {
    bool kestrel;
    const char* setting;
    std::vector<std::pair<const char*, std::string>> captions;
    std::string about, prefix, hint;
  } cases[] = {
      {true, "pl",
       {{"Label3", "Nie pokazuj podczas rysowania"}, {"Label4", "Rysuj na dużym ekranie"},
        {"Label2", "( wyłącz tę opcję aby znacznie przyspieszyć działanie programu!!! )"},
        {"Command1", "Koniec"}, {"Label1", mail}},
       "kestrel to program do przeglądania plików NSL (Nokia Startup Logo).\r\nAutor: " + author +
           "\r\n" + mail,
       "Wystąpił błąd:\r\n", ""},
      {true, "en",
       {{"Label3", "Don't show while drawing"}, {"Label4", "Show on Big Screen"},
        {"Label2", "( unselect this option to make the Viewer much faster! )"},
        {"Command1", "Exit"}, {"Label1", mail}},
       "Kestrel is a program to view <Nokia Startup Logo> files.\r\nAuthor: " + author + "\r\n" +
           mail,
       "An ERROR occured:\r\n", ""},
      {false, "pl",
       {{"Label4", "Nie pokazuj podczas rysowania"}, {"Label5", "Zamknij program po eksportowaniu"},
        {"Label1", "...typ grafiki..."}, {"Label2", "Eksport:"}, {"Command1", "Koniec"},
        {"Command5", "=> LogoManager"}, {"Label3", mail}},
       "plover to program do przeglądania plików z rozszerzeniem NLM, zapisywanych przez "
       "LogoManagera.\r\nPotrafi pokazać zarówno Logo Operatora/Grup jak i Logo Startowe i "
       "Wiadomość Obrazkową.\r\n\r\nAutor: " + author + "\r\n" + mail,
       "Pojawił się błąd treści:\r\n", "Wybierz plik, który chcesz eksportować do LogoManagera!"},
      {false, "en",
       {{"Label4", "Don't show while drawing"}, {"Label5", "Close Viewer after Export"},
        {"Label1", "...graphic type..."}, {"Label2", "Export:"}, {"Command1", "Exit"},
        {"Command5", "=> LogoManager"}, {"Label3", mail}},
       "This is a program to viewing NLM files saved by LogoManager.\r\nIt can show "
       "Operator/Group Logo, Start Logo and a Graphic Message.\r\n\r\nAuthor: " + author + "\r\n" +
           mail,
       "An ERROR occured:\r\n", "Select a file to be Exported to LogoManager!"},
  };
  for (const char* name : {"a.nsl", "b.nsl", "a.nlm", "b.nlm"}) {  // too short: Next says why
    folder_.Write(name, std::vector<std::uint8_t>(5));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kestrel ? "kestrel " : "plover ") + c.setting);
    language_ = c.setting;
    c.kestrel ? OpenKestrel() : OpenPlover("", true);
    for (const auto& [name, caption] : c.captions) {
      EXPECT_EQ(Control(name).Caption(), caption) << name;
    }
    for (const auto& [name, tooltip] :
         {std::pair{"Command4", "Poprzedni"}, {"Command3", "Następny"}}) {
      EXPECT_EQ(Control(name).Spec().tooltip, tooltip);
    }
    Click("Command2");
    EXPECT_EQ(messages_.shown.back().text, c.about);
    EXPECT_EQ(messages_.shown.back().icon, shell::MessageIcon::Information);
    if (!c.kestrel) {
      Click("Command5");  // nothing chosen
      EXPECT_EQ(messages_.shown.back().text, c.hint);
      EXPECT_EQ(messages_.shown.back().icon, shell::MessageIcon::Exclamation);
    }
    Click("Command3");
    EXPECT_TRUE(messages_.shown.back().text.starts_with(c.prefix)) << messages_.shown.back().text;
    messages_.shown.clear();
  }
}

TEST(CaptionFit, TheDesignSizeOrTheLargestQuarterPointThatFitsButNeverUnderSix) {
  for (const auto& [label_width, fitting] :  // the caption is 10 pixels a point
       {std::pair{100.0, 8.25}, {82.5, 8.25}, {82.0, 8.0}, {70.0, 7.0}, {69.9, 6.75}, {61.0, 6.0},
        {10.0, 6.0}}) {
    int measured = 0;
    const auto width_of = [&measured](double size) {
      ++measured;
      return 10 * size;
    };
    EXPECT_EQ(shell::FittingPointSize(8.25, label_width, width_of), fitting) << label_width;
    EXPECT_LE(measured, 2) << label_width;  // one guess from the first measurement
  }
}

TEST(RepaintPacer, OnePaintLaterForManyChangesAndAFrameAtOnceWhileDrawingDirect) {
  std::int64_t now = 1000;
  shell::RepaintPacer pacer([&now] { return now; });
  using Paint = shell::RepaintPacer::Paint;
  const auto changes = [&](shell::PresentationMode mode, int count) {
    std::vector<Paint> asked;
    for (int i = 0; i < count; ++i) {
      asked.push_back(pacer.Changed(mode));
    }
    return asked;
  };
  using enum shell::PresentationMode;
  EXPECT_EQ(changes(Deferred, 3), (std::vector{Paint::Later, Paint::Nothing, Paint::Nothing}));
  now += 1000;
  EXPECT_EQ(changes(Deferred, 600), std::vector<Paint>(600, Paint::Nothing));  // it is coming
  pacer.Painted();
  EXPECT_EQ(pacer.Changed(Immediate), Paint::Later);
  now += 15;  // within a frame: the 256th change does not paint
  EXPECT_EQ(changes(Immediate, 256), std::vector<Paint>(256, Paint::Nothing));
  now += 1;
  std::vector<Paint> frame(256, Paint::Nothing);
  frame.back() = Paint::Now;
  EXPECT_EQ(changes(Immediate, 256), frame);
}

TEST_F(WindowRules, EnablingARunningTimerDoesNotStartItsIntervalAgain) {
  OpenPlover("");
  auto& timer = form_->ControlNamed<shell::Timer>("Timer1");
  int starts = 0;
  timer.SetView([&] { starts += timer.Enabled() ? 1 : 0; });
  timer.SetEnabled(true);
  timer.SetEnabled(true);
  EXPECT_EQ(starts, 1);
}

}  // namespace
}  // namespace model_test
