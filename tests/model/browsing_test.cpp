#include <sys/stat.h>

#include <map>
#include <ranges>

#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// The drive, folder and file lists as both windows share them, driven through kestrel's.
class Browsing : public ViewerTest {
 protected:
  shell::FolderList& Dir1() { return Control<shell::FolderList>("Dir1"); }
  shell::DriveList& Drive1() { return Control<shell::DriveList>("Drive1"); }
  int RowOf(const fs::path& folder) {
    const auto& rows = Dir1().Rows();
    return int(std::ranges::find(rows, folder, &shell::FolderRow::folder) - rows.begin());
  }
  // The two lists agree on the folder, and the highlight is on it.
  void ExpectListsAt(const fs::path& folder) {
    EXPECT_TRUE(Dir1().Path() == folder && File1().Path() == folder) << Dir1().Path();
    EXPECT_EQ(Dir1().SelectedIndex(), RowOf(folder));
  }
  static std::string CannotOpen(const fs::path& folder) {
    return "Nie można otworzyć folderu:\r\n" + folder.string() + "\r\nTen folder nie istnieje.";
  }
};

TEST_F(Browsing, FoldersOpenAndOneThatCannotBeOpenedLeavesBothListsWhereTheyWere) {
  Copy("kestrel_bird.nsl", "a.nsl");
  fs::create_directories(Folder() / "sub" / "deeper");
  Copy("hello_frame.nsl", "sub/x.nsl");
  OpenKestrel(Folder() / "a.nsl");
  Dir1().SetSelectedIndex(RowOf(Folder() / "sub"));  // a click only highlights
  EXPECT_EQ(File1().Path(), Folder());
  Dir1().Open(RowOf(Folder() / "sub"));
  ExpectListsAt(Folder() / "sub");
  EXPECT_EQ(Entries(), std::vector<std::string>{"x.nsl"});
  EXPECT_EQ(Selected(), "none");
  EXPECT_EQ(form_->CurrentFile(), Folder() / "a.nsl");  // still the file shown
  fs::remove(Folder() / "sub" / "deeper");
  Dir1().Open(RowOf(Folder() / "sub" / "deeper"));
  EXPECT_EQ(Messages(), CannotOpen(Folder() / "sub" / "deeper"));
  ExpectListsAt(Folder() / "sub");
  fs::remove_all(Folder() / "sub");  // the folder shown is deleted: its parent still opens
  Dir1().Open(RowOf(Folder()));
  ExpectListsAt(Folder());
  EXPECT_EQ(Messages(), "");
}

// A file or folder dropped on the window opens as a start-up argument does; what cannot be
// opened or read is said once.
TEST_F(Browsing, ADroppedFileOrFolderOpensAsTheStartUpArgumentDoes) {
  const fs::path sub = Folder() / "sub";
  fs::create_directories(sub);
  Copy("kestrel_bird.nsl", "sub/a.nsl");
  Copy("hello_frame.nsl", "sub/b.nsl");
  Copy("picture_wave.nlm", "sub/c.nlm");
  folder_.Write("sub/short.nsl", std::vector<std::uint8_t>(9));
  // Dropped; the folder shown, the entry selected and the art on the big screen after; the box.
  const std::tuple<fs::path, fs::path, const char*, const char*, std::string> cases[] = {
      {sub / "b.nsl", sub, "b.nsl", "hello_frame", ""},
      {Folder(), Folder(), "none", "hello_frame", ""},  // a folder: what was drawn stays
      {sub / "a.nsl", sub, "a.nsl", "kestrel_bird", ""},
      {sub / "c.nlm", sub, "none", "kestrel_bird", ""},  // not listed
      {Folder() / "gone" / "x.nsl", sub, "none", "kestrel_bird", CannotOpen(Folder() / "gone")},
      {sub / "short.nsl", sub, "short.nsl", nullptr,
       "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki."},
  };
  OpenKestrel();
  for (const auto& [dropped, folder_shown, selected, art, message] : cases) {
    SCOPED_TRACE(dropped);
    form_->Dropped(dropped);
    ExpectListsAt(folder_shown);
    EXPECT_EQ(Selected(), selected);
    EXPECT_EQ(BigScreenDiffers(art ? SampleArt(art) : Blank(), art ? shell::kGridColor
                                                                   : shell::kScreenColor), "");
    EXPECT_EQ(Messages(), message);
  }
}

// Each drive opens at the folder last shown on it; a start-up file in a missing folder shows its
// drive's current folder (the root, the first time), the working folder when that is the drive.
TEST_F(Browsing, EachDriveOpensAtTheFolderLastShownOnIt) {
  const fs::path usb = Folder() / "media" / "usb";
  fs::create_directories(usb / "logos");
  drives_.push_back({usb, "usb"});
  for (const auto& [argument, shown, drive] :
       {std::tuple{usb / "gone" / "a.nsl", usb, 1}, {Folder() / "gone" / "a.nsl", Folder(), 0}}) {
    OpenKestrel(argument);
    ExpectListsAt(shown);
    EXPECT_EQ(Drive1().CurrentIndex(), drive);
  }
  EXPECT_EQ(Messages(), "");
  Drive1().SetCurrentIndex(1);
  ExpectListsAt(usb);  // first time there: its root
  Dir1().Open(RowOf(usb / "logos"));
  Drive1().SetCurrentIndex(0);
  ExpectListsAt(Folder());  // the working folder the window started in
  Drive1().SetCurrentIndex(1);
  ExpectListsAt(usb / "logos");
  Drive1().SetCurrentIndex(0);
  fs::remove_all(usb);  // the medium is gone: one message, and the lists stay
  Drive1().SetCurrentIndex(1);
  EXPECT_EQ(Messages(), CannotOpen(usb / "logos"));
  EXPECT_EQ(Drive1().CurrentIndex(), 0);
  ExpectListsAt(Folder());
}

TEST_F(Browsing, NamesSortAsAPolishReaderExpectsAndOnlyRegularFilesOfThePatternAreListed) {
  for (const char* name : {"zima.nsl", "ósemka.nsl", "łódź.nsl", "\x9Cnieg.nsl", "Az.nsl", "ąb.nsl",
                           "Ala.nsl", "lato.nsl", "OLSZA.NSL", "źle.nsl", "ĆMA.nsl", "cyna.Nsl",
                           "dom.nsl", "a.nlm", "nsl", "x.nsl.bak", "\xBF\xF3\xB3w.nsl"}) {
    Copy("hello_frame.nsl", name);  // "śnieg.nsl" and "żółw.nsl" in Windows-1250
  }
  for (const auto& [target, link] : {std::pair{"dom.nsl", "link.nsl"}, {"gone.nsl", "dangling.nsl"},
                                     {"loop.nsl", "loop.nsl"}, {"/dev/null", "device.nsl"}}) {
    fs::create_symlink(target, Folder() / link);
  }
  ASSERT_EQ(::mkfifo((Folder() / "fifo.nsl").c_str(), 0600), 0);
  for (const char* name : {"Żuraw", "zebra", "Łąka", "las", ".hidden", "folder.nsl"}) {
    fs::create_directory(Folder() / name);
  }
  OpenKestrel(Folder() / "fifo.nsl");  // named on the command line: not listed, so not opened
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Ala.nsl", "Az.nsl", "ąb.nsl", "cyna.Nsl",
                                                 "ĆMA.nsl", "dom.nsl", "lato.nsl", "link.nsl",
                                                 "łódź.nsl", "OLSZA.NSL", "ósemka.nsl", "śnieg.nsl",
                                                 "zima.nsl", "źle.nsl", "żółw.nsl"}));
  auto subfolders = Dir1().Rows() | std::views::filter([](auto& row) { return !row.open; }) |
                    std::views::transform(&shell::FolderRow::text);
  EXPECT_EQ(std::vector(subfolders.begin(), subfolders.end()),
            (std::vector<std::string>{"folder.nsl", "las", "Łąka", "zebra", "Żuraw"}));
  Click("Command4");
  EXPECT_EQ(File1().SelectedName(), "\xBF\xF3\xB3w.nsl");  // opened by its real bytes
  EXPECT_EQ(BigScreenDiffers(SampleArt("hello_frame"), shell::kGridColor), "");
  EXPECT_EQ(Messages(), "");
}

TEST_F(Browsing, NeitherViewerWritesAnything) {
  using Bytes = std::vector<std::uint8_t>;
  for (const char* name : {"kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm",
                           "startup_sunrise.nlm", "operator_plover.nlm"}) {
    Copy(name, name);
  }
  fs::create_directory(Folder() / "sub");
  const auto snapshot = [this] {  // every entry below the folder: its time and bytes
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(Folder())) {
      const auto bytes = entry.is_regular_file() ? test_support::ReadBytes(entry) : Bytes();
      entries[entry] = std::to_string(entry.last_write_time().time_since_epoch().count()) +
                       std::string(bytes.begin(), bytes.end());
    }
    return entries;
  };
  const auto before = snapshot();
  ASSERT_EQ(before.size(), 6u);
  OpenKestrel(Folder() / "kestrel_bird.nsl");
  for (const char* control : {"Command3", "Command4", "Command3", "Command2", "Label3", "Label4",
                              "Command3", "Label3", "Command3"}) {
    Click(control);
  }
  Dir1().Open(RowOf(Folder() / "sub"));
  Dir1().Open(RowOf(Folder()));
  OpenPlover(Folder() / "picture_wave.nlm", true);
  for (const char* control :
       {"Command3", "Command3", "Label4", "Command3", "Command2", "Command5"}) {
    Click(control);
  }
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace model_test
