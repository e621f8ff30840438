#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <map>
#include <memory>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// The drive, folder and file lists as both windows share them, driven through kestrel's.
class Browsing : public ViewerTest {
 protected:
  kestrel::Form1& Open(const fs::path& argument = {}) {
    form_ = std::make_unique<kestrel::Form1>(Services());
    form_->Form_Load(argument.native());
    return *form_;
  }
  shell::FileList& File1() { return ControlOf<shell::FileList>(*form_, "File1"); }
  shell::FolderList& Dir1() { return ControlOf<shell::FolderList>(*form_, "Dir1"); }
  shell::DriveList& Drive1() { return ControlOf<shell::DriveList>(*form_, "Drive1"); }
  int RowOf(const fs::path& folder) {
    for (std::size_t row = 0; row < Dir1().Rows().size(); ++row) {
      if (Dir1().Rows()[row].folder == folder) {
        return static_cast<int>(row);
      }
    }
    ADD_FAILURE() << "no row for " << folder;
    return -1;
  }
  // The two lists agree on the folder, and the highlight is on it.
  void ExpectListsAt(const fs::path& folder) {
    EXPECT_EQ(Dir1().Path(), folder);
    EXPECT_EQ(File1().Path(), folder);
    EXPECT_EQ(Dir1().SelectedIndex(), RowOf(folder));
  }
  void Select(const std::string& name) {
    for (int i = 0; i < File1().Count(); ++i) {
      if (File1().Entry(i) == name) {
        File1().SetSelectedIndex(i);
        return;
      }
    }
    ADD_FAILURE() << name << " is not listed";
  }

  std::unique_ptr<kestrel::Form1> form_;
};

TEST_F(Browsing, FoldersOpenAndOneThatCannotBeOpenedLeavesBothListsWhereTheyWere) {
  Copy("kestrel_bird.nsl", "a.nsl");
  fs::create_directories(Folder() / "sub" / "deeper");
  Copy("hello_frame.nsl", "sub/x.nsl");
  Open(Folder() / "a.nsl");
  Dir1().SetSelectedIndex(RowOf(Folder() / "sub"));  // a click only highlights
  EXPECT_EQ(File1().Path(), Folder());
  Dir1().Open(RowOf(Folder() / "sub"));
  ExpectListsAt(Folder() / "sub");
  EXPECT_EQ(Entries(File1()), std::vector<std::string>{"x.nsl"});
  EXPECT_EQ(Selected(File1()), "none");
  EXPECT_EQ(form_->CurrentFile(), Folder() / "a.nsl");  // still the file shown

  fs::remove(Folder() / "sub" / "deeper");
  Dir1().Open(RowOf(Folder() / "sub" / "deeper"));
  EXPECT_EQ(OneMessage(), "Nie można otworzyć folderu:\r\n" + (Folder() / "sub" / "deeper").string() +
                              "\r\nTen folder nie istnieje.");
  ExpectListsAt(Folder() / "sub");

  fs::remove_all(Folder() / "sub");  // the folder shown is deleted: its parent still opens
  Dir1().Open(RowOf(Folder()));
  ExpectListsAt(Folder());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Browsing, EachDriveOpensAtTheFolderLastShownOnIt) {
  const fs::path usb = Folder() / "media" / "usb";
  fs::create_directories(usb / "logos");
  drives_.push_back({usb, "usb"});
  Open();
  ASSERT_EQ(Drive1().CurrentIndex(), 0);
  Drive1().SetCurrentIndex(1);
  ExpectListsAt(usb);  // first time there: its root
  Dir1().Open(RowOf(usb / "logos"));
  Drive1().SetCurrentIndex(0);
  ExpectListsAt(Folder());  // the working folder the window started in
  Drive1().SetCurrentIndex(1);
  ExpectListsAt(usb / "logos");

  Dir1().Open(RowOf(usb));
  Drive1().SetCurrentIndex(0);
  fs::remove_all(usb);  // the medium is gone: one message, and the lists stay
  Drive1().SetCurrentIndex(1);
  EXPECT_TRUE(OneMessage().starts_with("Nie można otworzyć folderu:\r\n" + usb.string()));
  EXPECT_EQ(Drive1().CurrentIndex(), 0);
  ExpectListsAt(Folder());
}

TEST_F(Browsing, NamesSortAsAPolishReaderExpectsAndNextFollows) {
  const std::string windows_1250_zolw = "\xBF\xF3\xB3w.nsl";  // żółw.nsl
  for (const std::string name : {"zima.nsl", "ósemka.nsl", "łódź.nsl", "śnieg.nsl", "Az.nsl",
                                 "ąb.nsl", "Ala.nsl", "lato.nsl", "Olsza.nsl", "źle.nsl",
                                 "ĆMA.nsl", "cyna.nsl", "dom.nsl"}) {
    Copy("hello_frame.nsl", name);
  }
  Copy("hello_frame.nsl", windows_1250_zolw);
  for (const char* name : {"Żuraw", "zebra", "Łąka", "las"}) {
    fs::create_directory(Folder() / name);
  }
  Open();
  EXPECT_EQ(Entries(File1()),
            (std::vector<std::string>{"Ala.nsl", "Az.nsl", "ąb.nsl", "cyna.nsl", "ĆMA.nsl",
                                      "dom.nsl", "lato.nsl", "łódź.nsl", "Olsza.nsl",
                                      "ósemka.nsl", "śnieg.nsl", "zima.nsl", "źle.nsl",
                                      "żółw.nsl"}));
  std::vector<std::string> subfolders;
  for (const shell::FolderRow& row : Dir1().Rows()) {
    if (!row.open) {
      subfolders.push_back(row.text);
    }
  }
  EXPECT_EQ(subfolders, (std::vector<std::string>{"las", "Łąka", "zebra", "Żuraw"}));
  ControlOf<shell::Button>(*form_, "Command4").Click();
  EXPECT_EQ(File1().SelectedName(), windows_1250_zolw);  // opened by its real bytes
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("hello_frame.txt"));
  ControlOf<shell::Button>(*form_, "Command3").Click();
  EXPECT_EQ(Selected(File1()), "Ala.nsl");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Browsing, OnlyRegularFilesAreListedAndAFileThatChangedAfterwardsGetsOneMessage) {
  language_ = "en";
  Copy("kestrel_bird.nsl", "a.nsl");
  ASSERT_EQ(::mkfifo((Folder() / "fifo.nsl").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", Folder() / "device.nsl");
  fs::create_directory(Folder() / "folder.nsl");
  fs::create_symlink("nowhere.nsl", Folder() / "dangling.nsl");
  fs::create_symlink("loop.nsl", Folder() / "loop.nsl");
  Open(Folder() / "fifo.nsl");  // named on the command line: not listed, so not opened
  EXPECT_EQ(Entries(File1()), std::vector<std::string>{"a.nsl"});
  EXPECT_TRUE(messages_.shown.empty());

  for (const char* name : {"b.nsl", "c.nsl", "d.nsl"}) {
    Copy("hello_frame.nsl", name);
  }
  Open(Folder() / "a.nsl");
  fs::remove(Folder() / "b.nsl");
  fs::remove(Folder() / "c.nsl");
  fs::create_directory(Folder() / "c.nsl");
  fs::remove(Folder() / "d.nsl");
  ASSERT_EQ(::mkfifo((Folder() / "d.nsl").c_str(), 0600), 0);  // no wait for a writer
  const std::pair<const char*, const char*> cases[] = {
      {"b.nsl", "File not found."},
      {"c.nsl", "This is a folder, not a file."},
      {"d.nsl", "Not a regular file (a pipe, a device or the like)."},
  };
  for (const auto& [name, description] : cases) {
    Select(name);
    EXPECT_EQ(OneMessage(), std::string("An ERROR occured:\r\n") + description);
    EXPECT_EQ(BigScreen(form_->Canvas()), Blank());
  }
  Select("a.nsl");
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("kestrel_bird.txt"));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Browsing, AnyNameOpensAndStartsTheWindow) {
  for (const char* name : {"my logo.nsl", "-leading dash.nsl", "quote\"s'.nsl", "new\nline.nsl",
                           "$(touch x).nsl"}) {
    Copy("hello_frame.nsl", name);
    Open(Folder() / name);  // as a shell passes it: a leading dash is a file, not an option
    EXPECT_EQ(File1().SelectedName(), name);
    EXPECT_EQ(BigScreen(form_->Canvas()), Sample("hello_frame.txt")) << name;
  }
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_FALSE(fs::exists(Folder() / "x"));
}

// Every entry below a folder: its type, size, modification time and bytes.
std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat status {};
    ::lstat(entry.path().c_str(), &status);
    const auto bytes = entry.is_regular_file() ? test_support::ReadBytes(entry.path())
                                               : std::vector<std::uint8_t>{};
    entries[entry.path()] = std::to_string(status.st_mode) + " " +
                            std::to_string(status.st_size) + " " +
                            std::to_string(status.st_mtim.tv_nsec) + " " +
                            std::string(bytes.begin(), bytes.end());
  }
  return entries;
}

TEST_F(Browsing, NeitherViewerWritesAnything) {
  for (const char* name : {"kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm",
                           "startup_sunrise.nlm", "operator_plover.nlm"}) {
    Copy(name, name);
  }
  fs::create_directory(Folder() / "sub");
  const auto before = Snapshot(Folder());
  ASSERT_GT(before.size(), 5u);

  Open(Folder() / "kestrel_bird.nsl");
  for (const char* control : {"Command3", "Command4", "Command3", "Command2", "Label3", "Label4",
                              "Command3", "Label3", "Command3"}) {
    ControlOf<shell::TextControl>(*form_, control).Click();
  }
  Dir1().Open(RowOf(Folder() / "sub"));
  Dir1().Open(RowOf(Folder()));
  plover::Form1 plover(Services(), {[] { return nlm::LogoManagerLookup{"C:\\LM.exe", true}; },
                                    [](const std::string&, const fs::path&) { return true; }});
  plover.Form_Load((Folder() / "picture_wave.nlm").native());
  for (const char* control : {"Command3", "Command3", "Label4", "Command3", "Command2",
                              "Command5"}) {
    ControlOf<shell::TextControl>(plover, control).Click();
  }
  EXPECT_EQ(Snapshot(Folder()), before);
}

TEST_F(Browsing, AFolderOfAHundredThousandLogosListsAndSteps) {
  Copy("kestrel_bird.nsl", "a.nsl");
  const fs::path big = Folder() / "big";
  fs::create_directory(big);
  for (int i = 0; i < 100000; ++i) {
    std::ofstream(big / ("logo" + std::to_string(i) + ".nsl"));  // empty: only listed
  }
  fs::copy_file(Folder() / "a.nsl", big / "logo99999.nsl", fs::copy_options::overwrite_existing);
  fs::copy_file(Folder() / "a.nsl", big / "logo0.nsl", fs::copy_options::overwrite_existing);
  Open(big / "logo99999.nsl");
  EXPECT_EQ(File1().Count(), 100000);
  EXPECT_EQ(Selected(File1()), "logo99999.nsl");
  ControlOf<shell::Button>(*form_, "Command3").Click();  // wraps to the first
  EXPECT_EQ(Selected(File1()), "logo0.nsl");
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("kestrel_bird.txt"));
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace model_test
