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
  // The selected entry, and its art on both surfaces, on the grid; without art, both blank.
  void ExpectShown(const std::string& entry, const char* art = nullptr) {
    const Art dots = art ? SampleArt(art) : Blank();
    EXPECT_EQ(Selected(), entry);
    EXPECT_EQ(BigScreenDiffers(dots, art ? kGridColor : kScreenColor), "") << entry;
    EXPECT_EQ(Preview(), dots) << entry;
  }
};

TEST_F(KestrelForm, StartUpOpensTheArgumentsFolderAndDrawsItsFile) {
  for (const auto& [argument, selected, art, folder_shown] :  // art nullptr: nothing drawn
       {std::tuple<fs::path, const char*, const char*, fs::path>{"", "none", nullptr, Folder()},
        {Folder() / "b_hello.nsl", "b_hello.nsl", "hello_frame", Folder()},
        {"C_logo.nsl", "C_logo.nsl", "phone_suite_header", Folder()},  // relative
        {Folder() / "my logos/my bird.nsl", "my bird.nsl", "kestrel_bird", Folder() / "my logos"},
        {Folder() / "B_HELLO.nsl", "none", nullptr, Folder()}}) {  // another case: not the entry
    SCOPED_TRACE(argument);
    OpenKestrel(argument);
    EXPECT_EQ(File1().Path(), folder_shown);
    ExpectShown(selected, art);
    EXPECT_EQ(form_->CurrentFile(), argument.empty() ? argument : Folder() / argument);
  }
  EXPECT_EQ(Messages(), "");
}

TEST_F(KestrelForm, NextAndPreviousWrapAndTakeAnEndWhenNothingIsSelected) {
  OpenKestrel("");
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
  OpenKestrel(Folder() / "my logos" / "nothing");  // one entry: neither button does anything
  Click("Command3");
  Click("Command4");
  ExpectShown("none");
}

TEST_F(KestrelForm, TheOptionsDecideHowAndWhereTheNextLoadsDraw) {
  OpenKestrel(Folder() / "a_bird.nsl");
  // A caption, a box or Next clicked; the boxes' values; the art, or "" for blank, on both.
  const std::tuple<const char*, int, int, const char*, const char*, shell::Rgb> steps[] = {
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
  for (const auto& [click, check1, check2, big_screen, preview, grid] : steps) {
    SCOPED_TRACE(std::string(click) + " to " + big_screen);
    std::string(click).starts_with("Check") ? Check(click).Toggle() : Click(click);
    EXPECT_EQ(Check("Check1").Value(), check1);
    EXPECT_EQ(Check("Check2").Value(), check2);
    EXPECT_EQ(BigScreenDiffers(art(big_screen), grid), "");
    EXPECT_EQ(Preview(), art(preview));
  }
}

// The program's entry and every handler run guarded: whatever no handler foresaw is one message
// in the window's language, and the window goes on.
TEST_F(KestrelForm, AFailureNoHandlerForesawIsOneMessage) {
  for (const auto& [setting, message] :
       {std::pair{std::optional<std::string>(), "Wystąpił nieprzewidziany błąd programu."},
        {"en", "An unforeseen error occurred in the program."}}) {
    language_ = setting;
    OpenKestrel(Folder() / "a_bird.nsl");
    form_->Guarded([] { throw std::runtime_error("unforeseen"); });
    EXPECT_EQ(Messages(), message);
    form_->Guarded([] { throw 3; });
    EXPECT_EQ(Messages(), message);
    messages_.failures = 1;  // a handler fails: the About box cannot be shown
    Click("Command2");
    EXPECT_EQ(Messages(), message);
    Click("Command3");
    ExpectShown("b_hello.nsl", "hello_frame");
  }
}

}  // namespace
}  // namespace model_test
