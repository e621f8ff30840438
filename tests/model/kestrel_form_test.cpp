#include <gtest/gtest.h>

#include <memory>

#include "apps/kestrel/form1.h"
#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// kestrel's window model, driven as the window layer drives it.
class KestrelForm : public ViewerTest {
 protected:
  void SetUp() override {
    Copy("kestrel_bird.nsl", "a_bird.nsl");
    Copy("hello_frame.nsl", "b_hello.nsl");
    Copy("phone_suite_header.nsl", "C_logo.nsl");
    Copy("kestrel_bird.nsl", "D_upper.NSL");
    Copy("operator_plover.nlm", "other.nlm");
    fs::create_directories(Folder() / "my logos");
    Copy("kestrel_bird.nsl", "my logos/my bird.nsl");
  }

  kestrel::Form1& Open(const fs::path& argument) {
    form_ = std::make_unique<kestrel::Form1>(Services());
    form_->Form_Load(argument.native());
    return *form_;
  }
  shell::FileList& File1() { return ControlOf<shell::FileList>(*form_, "File1"); }
  void Click(const char* name) { ControlOf<shell::Button>(*form_, name).Click(); }
  shell::CheckBox& Check(const char* name) { return ControlOf<shell::CheckBox>(*form_, name); }
  // The selected entry, and the logo on both surfaces; no art: both blank.
  void ExpectShown(const std::string& entry, const char* art = nullptr) {
    EXPECT_EQ(Selected(File1()), entry);
    EXPECT_EQ(BigScreen(form_->Canvas()), art ? Sample(art) : Blank()) << entry;
    EXPECT_EQ(Preview(form_->Canvas()), art ? Sample(art) : Blank()) << entry;
  }
  shell::Rgb GridCorner() { return ScreenPixel(form_->Canvas(), 6, 6); }

  std::unique_ptr<kestrel::Form1> form_;
};

TEST_F(KestrelForm, StartUpOpensTheArgumentsFolderAndDrawsItsFile) {
  struct Case {
    fs::path argument;
    const char* selected;
    const char* art;  // nullptr: nothing drawn
    fs::path folder_shown;
  };
  const Case cases[] = {
      {"", "none", nullptr, Folder()},
      {Folder() / "b_hello.nsl", "b_hello.nsl", "hello_frame.txt", Folder()},
      {"C_logo.nsl", "C_logo.nsl", "phone_suite_header.txt", Folder()},  // relative
      {Folder() / "my logos" / "my bird.nsl", "my bird.nsl", "kestrel_bird.txt",
       Folder() / "my logos"},
      {Folder() / "B_HELLO.nsl", "none", nullptr, Folder()},  // another case: not the entry
      {Folder() / "other.nlm", "none", nullptr, Folder()},    // not the pattern
      {Folder() / "missing" / "x.nsl", "none", nullptr, Folder()},  // skipped, silently
  };
  for (const Case& c : cases) {
    Open(c.argument);
    SCOPED_TRACE(c.argument);
    EXPECT_EQ(File1().Path(), c.folder_shown);
    ExpectShown(c.selected, c.art);
    const fs::path current = c.argument.empty() || c.argument.is_absolute()
                                 ? c.argument
                                 : Folder() / c.argument;
    EXPECT_EQ(form_->CurrentFile(), current);
  }
  EXPECT_EQ(Entries(File1()), (std::vector<std::string>{"a_bird.nsl", "b_hello.nsl",
                                                        "C_logo.nsl", "D_upper.NSL"}));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(KestrelForm, NextAndPreviousWrapAndSelectionDrawsEachTime) {
  Open("");
  const std::pair<const char*, const char*> steps[] = {
      {"Command4", "D_upper.NSL"},  // nothing selected: Previous takes the last
      {"Command3", "a_bird.nsl"},   // from the last to the first
      {"Command4", "D_upper.NSL"},  // from the first to the last
      {"Command3", "a_bird.nsl"},
      {"Command3", "b_hello.nsl"},
  };
  for (const auto& [button, expected] : steps) {
    Click(button);
    EXPECT_EQ(Selected(File1()), expected);
  }
  ExpectShown("b_hello.nsl", "hello_frame.txt");
  EXPECT_EQ(form_->CurrentFile(), Folder() / "b_hello.nsl");

  // Deselected (Ctrl+Space) and chosen again: drawn again.
  File1().SetSelectedIndex(-1);
  form_->Canvas().ClearCanvas();
  File1().SetSelectedIndex(1);
  ExpectShown("b_hello.nsl", "hello_frame.txt");

  Open(Folder() / "my logos" / "nothing");  // one entry: neither button does anything
  Click("Command3");
  Click("Command4");
  ExpectShown("none");
}

TEST_F(KestrelForm, DrawingOffShowsTheGridAndLoadsDrawStraightOntoIt) {
  Open(Folder() / "a_bird.nsl");
  ControlOf<shell::Label>(*form_, "Label3").Click();  // the caption toggles its box
  EXPECT_EQ(Check("Check1").Value(), 0);
  EXPECT_EQ(BigScreen(form_->Canvas()), Blank());
  EXPECT_EQ(GridCorner(), shell::kGridColor);
  EXPECT_EQ(Preview(form_->Canvas()), Blank());
  Click("Command3");
  // Immediate: on the screen at once, before the handler returns.
  EXPECT_EQ(test_support::ArtFromBigScreen(form_->Canvas().BigScreen().Screen(), 0, 0, 84, 48),
            Sample("hello_frame.txt"));
  ExpectShown("b_hello.nsl", "hello_frame.txt");
  Check("Check1").Toggle();  // back on: both clear to their retained images, the grid stays
  EXPECT_EQ(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
  EXPECT_EQ(BigScreen(form_->Canvas()), Blank());
  EXPECT_EQ(GridCorner(), shell::kGridColor);
  EXPECT_EQ(Preview(form_->Canvas()), Blank());
}

TEST_F(KestrelForm, ShowOnBigScreenDecidesWhereTheNextLoadsDraw) {
  Open(Folder() / "a_bird.nsl");
  ControlOf<shell::Label>(*form_, "Label4").Click();
  EXPECT_EQ(Check("Check2").Value(), 0);
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("kestrel_bird.txt"));  // until the next load
  Click("Command3");
  EXPECT_EQ(BigScreen(form_->Canvas()), Blank());
  EXPECT_EQ(GridCorner(), shell::kScreenColor);
  EXPECT_EQ(Preview(form_->Canvas()), Sample("hello_frame.txt"));
  Check("Check1").Toggle();  // Immediate without the big screen: a plain background
  Check("Check2").Toggle();  // on again: cells are drawn, still without a grid
  Click("Command3");
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("phone_suite_header.txt"));
  EXPECT_EQ(GridCorner(), shell::kScreenColor);
}

TEST_F(KestrelForm, MessagesAndCaptionsInTheLanguage) {
  folder_.Write("0_short.nsl", std::vector<std::uint8_t>(573));
  struct Case {
    std::optional<std::string> setting;
    shell::Language language;
    const char* error_prefix;
  };
  const Case cases[] = {{std::nullopt, shell::Language::Polish, "Wystąpił błąd:\r\n"},
                        {"en-GB", shell::Language::English, "An ERROR occured:\r\n"}};
  for (const Case& c : cases) {
    language_ = c.setting;
    Open(Folder() / "a_bird.nsl");
    Click("Command4");  // a file too short: one critical box, both surfaces blank
    ExpectShown("0_short.nsl");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, shell::MessageIcon::Critical);
    EXPECT_TRUE(messages_.shown[0].text.starts_with(c.error_prefix)) << messages_.shown[0].text;
    File1().SetSelectedIndex(-1);
    File1().SetSelectedIndex(0);  // chosen again: read and reported again
    EXPECT_EQ(messages_.shown.size(), 2u);
    Click("Command3");  // still usable
    ExpectShown("a_bird.nsl", "kestrel_bird.txt");

    Click("Command2");
    EXPECT_EQ(messages_.shown.back().text, shell::KestrelTextsFor(c.language).AboutText);
    EXPECT_EQ(messages_.shown.back().icon, shell::MessageIcon::Information);
    for (const shell::Caption& caption : shell::kKestrelCaptions) {
      EXPECT_EQ(ControlOf<shell::TextControl>(*form_, std::string(caption.control).c_str())
                    .Caption(),
                caption.In(c.language));
    }
    messages_.shown.clear();
  }
}

TEST_F(KestrelForm, ExitClosesTheWindow) {
  Open("");
  EXPECT_FALSE(form_->Closed());
  Click("Command1");
  EXPECT_TRUE(form_->Closed());
}

}  // namespace
}  // namespace model_test
