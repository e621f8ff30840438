#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCheckBox>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/qt/display.h"
#include "support/text_art.h"
#include "window_probe.h"

namespace fs = std::filesystem;
using window_probe::Find;

// Whatever a folder holds, the windows show one clear message or do the sound thing, never hang,
// and stay usable. Driven offscreen; message boxes recorded.
class HostileFilesTest : public window_probe::WindowTest {
  Q_OBJECT

 private:
  std::unique_ptr<kestrel::Form1> kestrel_;
  std::unique_ptr<plover::Form1> plover_;

  fs::path Sample(const char* name) const { return fs::path(KP_OWN_SAMPLES_DIR) / name; }
  shell::FileList* File1(QWidget* form) { return Find<shell::FileList>(form, "File1"); }
  std::vector<std::string> Entries(QWidget* form) {
    std::vector<std::string> entries;
    for (int i = 0; i < File1(form)->Count(); ++i) {
      entries.push_back(File1(form)->Entry(i));
    }
    return entries;
  }
  kestrel::Form1& Kestrel(const fs::path& argument = {}) {
    kestrel_ = std::make_unique<kestrel::Form1>(argument.native(), &messages_);
    return *kestrel_;
  }
  plover::Form1& Plover(const fs::path& argument = {}) {
    plover_ = std::make_unique<plover::Form1>(argument.native(), &messages_);
    return *plover_;
  }
  void Select(QWidget* form, const std::string& name) {
    for (int i = 0; i < File1(form)->Count(); ++i) {
      if (File1(form)->Entry(i) == name) {
        File1(form)->SetSelectedIndex(i);
        return;
      }
    }
    QFAIL(("not listed: " + name).c_str());
  }
  // Every entry below a folder: its type, size, modification time and content.
  static std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      const auto status = entry.symlink_status();
      std::string state = std::to_string(static_cast<int>(status.type()));
      if (status.type() == fs::file_type::regular) {
        std::ifstream in(entry.path(), std::ios::binary);
        state += " " + std::to_string(entry.file_size()) + " " +
                 std::to_string(entry.last_write_time().time_since_epoch().count()) + " " +
                 std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
      entries[entry.path().lexically_relative(folder).string()] = state;
    }
    return entries;
  }
  void ClickAll(QWidget* form, const char* name, int times) {
    for (int i = 0; i < times; ++i) {
      Find<QAbstractButton>(form, name)->click();
    }
  }

  // The one message shown since the last call; its description, after the prefix and CR LF.
  std::string OneMessage() {
    if (messages_.shown.size() != 1) {
      return "messages: " + std::to_string(messages_.shown.size());
    }
    const std::string text = messages_.shown[0].text;
    messages_.shown.clear();
    return text.substr(text.find("\r\n") + 2);
  }

 private slots:
  void init() {
    StartInFreshFolder();
    settings_ = window_probe::UseLanguageSetting("en");
    fs::copy_file(Sample("kestrel_bird.nsl"), Folder() / "a.nsl");
  }
  void cleanup() {
    kestrel_.reset();
    plover_.reset();
    Finish();
  }

  void onlyRegularFilesAreListedAndTheRestGetsOneMessageWhenOpenedAnyway() {
    ::mkfifo((Folder() / "fifo.nsl").c_str(), 0600);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                  (Folder() / "socket.nsl").c_str());
    QCOMPARE(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("/dev/null", Folder() / "device.nsl");
    fs::create_directory(Folder() / "folder.nsl");
    fs::create_symlink("nowhere.nsl", Folder() / "dangling.nsl");
    fs::create_symlink("loop.nsl", Folder() / "loop.nsl");
    QCOMPARE(Entries(&Kestrel()), std::vector<std::string>{"a.nsl"});
    for (const auto& [name, description] : std::vector<std::pair<const char*, const char*>>{
             {"fifo.nsl", "Not a regular file (a pipe, a device or the like)."},
             {"socket.nsl", "Not a regular file (a pipe, a device or the like)."},
             {"device.nsl", "Not a regular file (a pipe, a device or the like)."},
             {"folder.nsl", "This is a folder, not a file."},
             {"dangling.nsl", "File not found."}}) {
      Kestrel(Folder() / name);  // named on the command line, or a race: no hang
      Find<QAbstractButton>(kestrel_.get(), "Command3")->click();  // still usable
      QCOMPARE(File1(kestrel_.get())->SelectedIndex(), -1);        // one entry: Next does nothing
    }
    ::close(server);
    QVERIFY(messages_.shown.empty());  // not listed, so not selected: nothing opened
  }

  void aFileThatChangesBetweenListingAndClickGetsOneMessage() {
    fs::copy_file(Sample("hello_frame.nsl"), Folder() / "b.nsl");
    fs::copy_file(Sample("phone_suite_header.nsl"), Folder() / "c.nsl");
    auto& form = Kestrel(Folder() / "a.nsl");
    fs::remove(Folder() / "b.nsl");
    Select(&form, "b.nsl");
    QCOMPARE(OneMessage(), std::string("File not found."));
    fs::remove(Folder() / "c.nsl");
    fs::create_directory(Folder() / "c.nsl");
    Select(&form, "c.nsl");
    QCOMPARE(OneMessage(), std::string("This is a folder, not a file."));
    fs::copy_file(Sample("hello_frame.nsl"), Folder() / "d.nsl");
    Find<shell::FolderList>(&form, "Dir1")->SetPath(Folder(), {"/", "/"});  // list it
    fs::remove(Folder() / "d.nsl");
    ::mkfifo((Folder() / "d.nsl").c_str(), 0600);  // and a pipe in its place: no wait for a writer
    Select(&form, "d.nsl");
    QCOMPARE(OneMessage(), std::string("Not a regular file (a pipe, a device or the like)."));
    Select(&form, "a.nsl");
    QVERIFY(messages_.shown.empty());
  }

  void aFolderDeletedWhileShownLeavesTheWindowUsable() {
    fs::create_directory(Folder() / "gone");
    fs::copy_file(Sample("kestrel_bird.nsl"), Folder() / "gone" / "x.nsl");
    fs::copy_file(Sample("hello_frame.nsl"), Folder() / "gone" / "y.nsl");
    auto& form = Kestrel(Folder() / "gone" / "x.nsl");
    fs::current_path(Folder());
    fs::remove_all(Folder() / "gone");
    Find<QAbstractButton>(&form, "Command3")->click();
    QCOMPARE(OneMessage(), std::string("File not found."));
    auto* dir1 = Find<shell::FolderList>(&form, "Dir1");
    dir1->setCurrentRow(dir1->count() - 2);  // its parent, in the chain above it
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(dir1->Path(), Folder());
    QCOMPARE(File1(&form)->Count(), 1);
    QVERIFY(messages_.shown.empty());
  }

  void hugeAndEmptyLookingFilesAreReadOnlyAsFarAsNeeded() {
    std::ofstream(Folder() / "huge.nsl").close();
    fs::copy_file(Sample("picture_wave.nlm"), Folder() / "a.nlm");
    fs::resize_file(Folder() / "huge.nsl", std::uintmax_t{4} << 30);  // sparse
    std::ofstream(Folder() / "huge.nlm").close();
    fs::resize_file(Folder() / "huge.nlm", std::uintmax_t{4} << 30);
    Select(&Kestrel(Folder() / "a.nsl"), "huge.nsl");
    QVERIFY(messages_.shown.empty());  // 574 zero bytes: an empty logo
    Select(&Plover(Folder() / "a.nlm"), "huge.nlm");
    QCOMPARE(OneMessage(), std::string("Overflow: the file is too large."));
  }

  void anyNameIsListedReadablyAndOpens() {
    const std::vector<std::string> names = {"\xBF\xF3\xB3w.nsl",  // żółw.nsl in Windows-1250
                                            "my logo.nsl", "-leading dash.nsl", "quote\"s'.nsl",
                                            "new\nline.nsl"};
    for (const std::string& name : names) {
      fs::copy_file(Sample("hello_frame.nsl"), Folder() / name);
    }
    auto& form = Kestrel();
    QCOMPARE(File1(&form)->Count(), 6);
    for (const std::string& name : names) {
      Select(&form, name);
      QVERIFY2(messages_.shown.empty(), name.c_str());
      QCOMPARE(window_probe::BigScreenDots(Find<QWidget>(&form, "Picture1"), 0, 0, 84, 48),
               test_support::ArtFromPicture(test_support::PictureFromArtFile(
                   fs::path(KP_OWN_SAMPLES_DIR) / "art" / "hello_frame.txt")));
    }
    QCOMPARE(shell::DisplayName(names[0]), QStringLiteral("żółw.nsl"));
    // Named on the command line as a shell passes it: the leading dash is a file, not an option.
    Kestrel(Folder() / "-leading dash.nsl");
    QCOMPARE(File1(kestrel_.get())->SelectedName(), std::string("-leading dash.nsl"));
  }

  void neitherViewerWritesAnything() {
    const fs::path home = Folder() / "home";
    const fs::path logos = Folder() / "logos";
    const fs::path outside = Folder() / "outside";  // where the stand-in LogoManager may write
    for (const fs::path& folder : {home, logos / "sub", outside / "bin"}) {
      fs::create_directories(folder);
    }
    for (const char* name : {"kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm",
                             "startup_sunrise.nlm", "operator_plover.nlm"}) {
      fs::copy_file(Sample(name), logos / name);
    }
    std::ofstream(outside / "bin" / "wine") << "#!/bin/sh\ntouch \"$0.ran\"\n";
    fs::permissions(outside / "bin" / "wine", fs::perms::owner_all);
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    qputenv("WINEPREFIX", QByteArray::fromStdString((home / ".wine").string()));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString((outside / "bin").string()) + ":" + path);
    fs::current_path(logos);
    const auto before =
        std::make_pair(Snapshot(Folder()), Snapshot(settings_->path().toStdString()));

    auto& kestrel = Kestrel(logos / "kestrel_bird.nsl");
    ClickAll(&kestrel, "Command3", 3);
    ClickAll(&kestrel, "Command4", 3);
    ClickAll(&kestrel, "Check1", 2);
    ClickAll(&kestrel, "Check2", 2);
    ClickAll(&kestrel, "Command2", 1);
    auto* dir1 = Find<shell::FolderList>(&kestrel, "Dir1");
    dir1->setCurrentRow(dir1->count() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);  // into sub, and back up
    dir1->setCurrentRow(dir1->count() - 2);
    QTest::keyClick(dir1, Qt::Key_Return);
    auto& plover = Plover(logos / "picture_wave.nlm");
    ClickAll(&plover, "Command3", 4);
    ClickAll(&plover, "Check1", 2);
    ClickAll(&plover, "Command2", 1);
    QCOMPARE(Snapshot(Folder()), before.first);
    fs::create_directories(home / ".wine" / "drive_c" / "LM");  // a LogoManager to export to
    std::ofstream(home / ".wine" / "drive_c" / "LM" / "LogoManager.exe").close();
    fs::create_directories(home / ".wine" / "dosdevices");
    fs::create_symlink("../drive_c", home / ".wine" / "dosdevices" / "c:");
    std::ofstream(home / ".wine" / "system.reg")
        << "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion"
           "\\\\App Paths\\\\LogoManager.exe] 1\n@=\"C:\\\\LM\\\\LogoManager.exe\"\n";
    const auto with_prefix =
        std::make_pair(Snapshot(Folder()), Snapshot(settings_->path().toStdString()));
    auto& exporting = Plover(logos / "picture_wave.nlm");
    Find<QCheckBox>(&exporting, "Check2")->setChecked(false);
    ClickAll(&exporting, "Command5", 1);
    QTRY_VERIFY(fs::exists(outside / "bin" / "wine.ran"));
    fs::remove(outside / "bin" / "wine.ran");
    kestrel_.reset();
    plover_.reset();
    qputenv("PATH", path);
    qunsetenv("WINEPREFIX");

    QVERIFY(before.first.size() > 5);
    QVERIFY(before.second.size() == 1);  // the settings file
    auto after = std::make_pair(Snapshot(Folder()), Snapshot(settings_->path().toStdString()));
    QCOMPARE(after.second, before.second);
    QCOMPARE(after.first, with_prefix.first);
  }

  void aFolderOfAHundredThousandFilesListsAndSteps() {
    const fs::path big = Folder() / "big";
    fs::create_directory(big);
    // Hard links to two copies, as a file system allows 65 000 links to one file.
    fs::copy_file(Sample("hello_frame.nsl"), Folder() / "b.nsl");
    for (int i = 0; i < 100000; ++i) {
      fs::create_hard_link(Folder() / (i % 2 == 0 ? "a.nsl" : "b.nsl"),
                           big / ("logo" + std::to_string(i) + ".nsl"));
    }
    auto& form = Kestrel(big / "logo99999.nsl");
    QCOMPARE(File1(&form)->Count(), 100000);
    QCOMPARE(File1(&form)->SelectedName(), std::string("logo99999.nsl"));
    Find<QAbstractButton>(&form, "Command3")->click();  // wraps to the first
    QCOMPARE(File1(&form)->SelectedName(), std::string("logo0.nsl"));
    QVERIFY(messages_.shown.empty());
  }
};

QTEST_MAIN(HostileFilesTest)
#include "hostile_files_test.moc"
