#include "apps/kestrel/form1.h"
#include "model/viewer_fixture.h"

namespace model_test {
namespace {

using shell::kGridColor;
using shell::kScreenColor;

// kestrel's window model, driven as the window layer drives it.
class KestrelForm : public ViewerTest {
 protected:
  void SetUp() override {
    Copy("kestrel_bird.nsl", "a_bird.nsl");
    Copy("hello_frame.nsl", "b_hello.nsl");
    Copy("phone_suite_header.nsl", "C_logo.nsl");
    Copy("kestrel_bird.nsl", "D_upper.NSL");
    fs::create_directories(Folder() / "my logos");
    Copy("kestrel_bird.nsl", "my logos/my bird.nsl");
  }
  void Open(const fs::path& argument) { ViewerTest::Open<kestrel::Form1>(argument); }
  // The selected entry, and its art on both surfaces, on the grid; without art, both blank.
  void ExpectShown(const std::string& entry, const char* art = nullptr) {
    const Art dots = art ? SampleArt(art) : Blank();
    EXPECT_EQ(Selected(), entry);
    EXPECT_EQ(BigScreenDiffers(dots, art ? kGridColor : kScreenColor), "") << entry;
    EXPECT_EQ(Preview(), dots) << entry;
  }
};

TEST_F(KestrelForm, StartUpOpensTheArgumentsFolderAndDrawsItsFile) {
  const struct {
    fs::path argument;
    const char *selected, *art;  // art nullptr: nothing drawn
    fs::path folder_shown;
  } cases[] = {
      {"", "none", nullptr, Folder()},
      {Folder() / "b_hello.nsl", "b_hello.nsl", "hello_frame", Folder()},
      {"C_logo.nsl", "C_logo.nsl", "phone_suite_header", Folder()},  // relative
      {Folder() / "my logos" / "my bird.nsl", "my bird.nsl", "kestrel_bird", Folder() / "my logos"},
      {Folder() / "B_HELLO.nsl", "none", nullptr, Folder()},         // another case: not the entry
      {Folder() / "missing" / "x.nsl", "none", nullptr, Folder()}};  // skipped, silently
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    Open(c.argument);
    EXPECT_EQ(File1().Path(), c.folder_shown);
    ExpectShown(c.selected, c.art);
    EXPECT_EQ(form_->CurrentFile(), c.argument.empty() ? c.argument : Folder() / c.argument);
  }
  EXPECT_EQ(Messages(), "");
}

TEST_F(KestrelForm, NextAndPreviousWrapAndTakeAnEndWhenNothingIsSelected) {
  Open("");
  const std::pair<const char*, const char*> steps[] = {
      {"Command3", "a_bird.nsl"},                      // Next, nothing selected: the first
      {"Command4", "D_upper.NSL"},                     // Previous from the first: the last
      {"Command3", "a_bird.nsl"},                      // Next from the last: the first
      {"Command3", "b_hello.nsl"}, {nullptr, "none"},  // deselected (Ctrl+Space)
      {"Command4", "D_upper.NSL"},                     // Previous, nothing selected: the last
      {"Command4", "C_logo.nsl"}};
  for (const auto& [button, expected] : steps) {
    button ? Click(button) : File1().SetSelectedIndex(-1);
    EXPECT_EQ(Selected(), expected);
  }
  ExpectShown("C_logo.nsl", "phone_suite_header");
  Open(Folder() / "my logos" / "nothing");  // one entry: neither button does anything
  Click("Command3");
  Click("Command4");
  ExpectShown("none");
}

TEST_F(KestrelForm, TheOptionsDecideHowAndWhereTheNextLoadsDraw) {
  Open(Folder() / "a_bird.nsl");
  const struct {
    const char* click;  // a caption, a box or Next
    int check1, check2;
    const char *big_screen, *preview;  // art, or "" for blank
    shell::Rgb grid;
  } steps[] = {
      {"Label3", 0, 1, "", "", kGridColor},  // drawing shown: the empty grid, and loads...
      {"Command3", 0, 1, "hello_frame", "hello_frame", kGridColor},  // ...draw straight on it
      {"Check1", 1, 1, "", "", kGridColor},  // back: cleared to the empty grid
      {"Command3", 1, 1, "phone_suite_header", "phone_suite_header", kGridColor},
      {"Label4", 1, 0, "phone_suite_header", "phone_suite_header", kGridColor},  // until a load
      {"Command3", 1, 0, "", "kestrel_bird", kScreenColor},  // then the preview alone
      {"Check1", 0, 0, "", "", kScreenColor},                // drawing shown, on a plain background
      {"Check2", 0, 1, "", "", kScreenColor},
      {"Command3", 0, 1, "kestrel_bird", "kestrel_bird", kScreenColor}};  // still no grid
  const auto art = [](const char* name) { return *name ? SampleArt(name) : Blank(); };
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string(s.click) + " to " + s.big_screen);
    std::string(s.click).starts_with("Check") ? Check(s.click).Toggle() : Click(s.click);
    EXPECT_EQ(Check("Check1").Value(), s.check1);
    EXPECT_EQ(Check("Check2").Value(), s.check2);
    EXPECT_EQ(BigScreenDiffers(art(s.big_screen), s.grid), "");
    EXPECT_EQ(Preview(), art(s.preview));
  }
}

// A file that cannot be read: one box, both surfaces blank, and the window goes on.
TEST_F(KestrelForm, AFileTooShortIsOneMessageAndBothSurfacesBlank) {
  folder_.Write("0_short.nsl", std::vector<std::uint8_t>(573));
  Open(Folder() / "a_bird.nsl");
  Click("Command4");
  ExpectShown("0_short.nsl");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki.");
  EXPECT_EQ(messages_.shown[0].icon, shell::MessageIcon::Critical);
  Click("Command3");
  ExpectShown("a_bird.nsl", "kestrel_bird");
}

// The program's entry runs its steps guarded: whatever no handler foresaw is one message in the
// window's language, and the window goes on.
TEST_F(KestrelForm, AFailureNoHandlerForesawIsOneMessage) {
  for (const auto& [setting, message] :
       {std::pair{std::optional<std::string>(), "Wystąpił nieprzewidziany błąd programu."},
        {"en", "An unforeseen error occurred in the program."}}) {
    language_ = setting;
    Open(Folder() / "a_bird.nsl");
    form_->Guarded([] { throw std::runtime_error("unforeseen"); });
    EXPECT_EQ(Messages(), message);
    form_->Guarded([] { throw 3; });
    EXPECT_EQ(Messages(), message);
    Click("Command3");
    ExpectShown("b_hello.nsl", "hello_frame");
  }
}

}  // namespace
}  // namespace model_test
