#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "apps/plover/form1.h"
#include "support/recording_messages.h"
#include "support/text_art.h"
#include "window_probe.h"

namespace fs = std::filesystem;
using window_probe::BigScreenDots;
using window_probe::Find;

// Where plover's window differs from kestrel's, driven offscreen.
class PloverWindowTest : public window_probe::WindowTest {
  Q_OBJECT

 private:
  std::unique_ptr<plover::Form1> form_;

  fs::path Prefix() const { return Folder() / "wine prefix"; }
  fs::path Record() const { return Folder() / "bin" / "record"; }

  // A Wine prefix with LogoManager registered and installed, and a stand-in `wine` on PATH that
  // writes down the arguments it gets, one per line in brackets.
  void InstallLogoManager() {
    const fs::path folder = Prefix() / "drive_c" / "Program Files" / "LogoManager";
    fs::create_directories(folder);
    std::ofstream(folder / "LogoManager.exe");
    fs::create_directories(Prefix() / "dosdevices");
    fs::create_symlink("../drive_c", Prefix() / "dosdevices" / "c:");
    fs::create_symlink("/", Prefix() / "dosdevices" / "z:");
    std::ofstream(Prefix() / "system.reg")
        << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
           "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\"
           "LogoManager.exe] 1796591584\n#time=1d9b1f5a3c2e4b0\n"
           "@=\"  C:\\\\Program Files\\\\LogoManager\\\\LogoManager.exe\"\n\n";
    qputenv("WINEPREFIX", QByteArray::fromStdString(Prefix().string()));
    fs::create_directories(Folder() / "bin");
    std::ofstream(Folder() / "bin" / "wine")
        << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$0.tmp\"\n"
        << "mv \"$0.tmp\" \"" << Record().string() << "\"\n";
    fs::permissions(Folder() / "bin" / "wine", fs::perms::owner_all);
    qputenv("PATH", QByteArray::fromStdString((Folder() / "bin").string()) + ":" + path_);
  }
  std::string Recorded() {
    std::ifstream in(Record());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  QByteArray path_ = qgetenv("PATH");
  plover::Form1& Open(const std::string& argument) {
    form_ = std::make_unique<plover::Form1>(argument, &messages_);
    return *form_;
  }
  QString Label1() { return Find<QLabel>(form_.get(), "Label1")->text(); }
  std::vector<std::string> Art(const char* name) {
    return test_support::ArtFromPicture(
        test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / name));
  }

 private slots:
  void init() {
    StartInFreshFolder();
    const fs::path samples = KP_OWN_SAMPLES_DIR;
    for (const char* name : {"operator_plover.nlm", "picture_wave.nlm", "startup_sunrise.nlm"}) {
      fs::copy_file(samples / name, Folder() / name);
    }
    fs::copy_file(samples / "kestrel_bird.nsl", Folder() / "kestrel_bird.nsl");
  }

  void cleanup() {
    form_.reset();
    qputenv("PATH", path_);
    qunsetenv("WINEPREFIX");
    Finish();
  }

  void startsWithItsDesignStateAndOnlyNlmFiles() {
    Open("");
    QCOMPARE(form_->size(), QSize(655, 467));
    QVERIFY(!(form_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Plover 1.0"));
    QCOMPARE(Find<shell::FileList>(form_.get(), "File1")->Count(), 3);
    QCOMPARE(Label1(), QStringLiteral("...typ grafiki..."));
    QVERIFY(!Find<QPushButton>(form_.get(), "Command5")->isEnabled());
    QVERIFY(Find<QCheckBox>(form_.get(), "Check2")->isChecked());
    QVERIFY(!Find<QTimer>(form_.get(), "Timer1")->isActive());
    QCOMPARE(Find<QTimer>(form_.get(), "Timer1")->interval(), 2000);
    QCOMPARE(Find<QWidget>(form_.get(), "File1")->geometry(), QRect(516, 4, 137, 461));
    QCOMPARE(Find<QWidget>(form_.get(), "Command5")->geometry(), QRect(4, 400, 97, 25));
    QCOMPARE(Find<QLabel>(form_.get(), "Image1")->pixmap().size(), QSize(264, 170));
    QCOMPARE(Find<QLabel>(form_.get(), "Label2")->font().pointSizeF(), 8.25);
    QVERIFY(form_->findChild<QWidget*>(QStringLiteral("Picture2")) == nullptr);
  }

  void namesTheKindOfEachFileItShows() {
    Open((Folder() / "operator_plover.nlm").string());
    QCOMPARE(Label1(), QStringLiteral("Logo Operatora/Grup"));
    QCOMPARE(BigScreenDots(Find<QWidget>(form_.get(), "Picture1"), 36, 102, 72, 14),
             Art("operator_plover.txt"));
    Find<QPushButton>(form_.get(), "Command3")->click();
    QCOMPARE(Label1(), QStringLiteral("Wiadomość Obrazkowa"));
    QCOMPARE(BigScreenDots(Find<QWidget>(form_.get(), "Picture1"), 36, 60, 72, 28),
             Art("picture_wave.txt"));
    Find<QPushButton>(form_.get(), "Command3")->click();
    QCOMPARE(Label1(), QStringLiteral("Logo Startowe"));
    QCOMPARE(BigScreenDots(Find<QWidget>(form_.get(), "Picture1"), 0, 0, 84, 48),
             Art("startup_sunrise.txt"));
    QVERIFY(messages_.shown.empty());
  }

  void aFailedLoadEmptiesTheLabelAndShowsOneBox() {
    fs::resize_file(Folder() / "picture_wave.nlm", 137);
    Open((Folder() / "operator_plover.nlm").string());
    Find<QPushButton>(form_.get(), "Command3")->click();
    QCOMPARE(Label1(), QString());
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text, std::string("Pojawił się błąd treści:\r\n"));
    QCOMPARE(BigScreenDots(Find<QWidget>(form_.get(), "Picture1"), 0, 0, 84, 48),
             window_probe::Blank(84, 48));
  }

  void aMissingFolderIsSkippedWithoutAMessage() {
    Open((Folder() / "nowhere" / "x.nlm").string());
    QCOMPARE(Find<shell::FileList>(form_.get(), "File1")->Path(), Folder());
    QCOMPARE(Find<shell::FileList>(form_.get(), "File1")->SelectedIndex(), -1);
    QVERIFY(messages_.shown.empty());
    QCOMPARE(form_->CurrentFile(), Folder() / "nowhere" / "x.nlm");
  }

  void theOptionSwitchesThePresentationAndTheGridComesWithEachLoad() {
    Open("");
    QTest::mouseClick(Find<QLabel>(form_.get(), "Label4"), Qt::LeftButton);
    QVERIFY(!Find<QCheckBox>(form_.get(), "Check1")->isChecked());
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Immediate);
    QVERIFY(window_probe::BigScreenPixel(Find<QWidget>(form_.get(), "Picture1"), 36, 102) ==
            shell::kScreenColor);  // no grid until a file is loaded
    Find<QPushButton>(form_.get(), "Command3")->click();
    QCOMPARE(test_support::ArtFromBigScreen(form_->Canvas().BigScreen().Screen(), 36, 102, 72, 14),
             Art("operator_plover.txt"));
    QVERIFY(window_probe::BigScreenPixel(Find<QWidget>(form_.get(), "Picture1"), 36, 102) ==
            shell::kGridColor);
    Find<QCheckBox>(form_.get(), "Check1")->click();
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
  }

  void englishCaptionsAndAboutTitleText() {
    settings_ = window_probe::UseLanguageSetting("en");
    Open("");
    QCOMPARE(Label1(), QStringLiteral("...graphic type..."));
    QCOMPARE(Find<QLabel>(form_.get(), "Label5")->text(),
             QStringLiteral("Close Viewer after Export"));
    QCOMPARE(Find<QLabel>(form_.get(), "Label2")->text(), QStringLiteral("Export:"));
    QCOMPARE(Find<QPushButton>(form_.get(), "Command5")->text(), QStringLiteral("=> LogoManager"));
    Find<QPushButton>(form_.get(), "Command2")->click();
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text, shell::PloverTextsFor(shell::Language::English).AboutText);
  }

  void exportIsEnabledOnlyWhenLogoManagerIsRegisteredAndPresent() {
    qputenv("WINEPREFIX", QByteArray::fromStdString(Prefix().string()));
    Open("");  // no registry at all
    QVERIFY(!Find<QPushButton>(form_.get(), "Command5")->isEnabled());
    InstallLogoManager();
    Open("");  // blanks before the path are removed
    QVERIFY(Find<QPushButton>(form_.get(), "Command5")->isEnabled());
    fs::remove(Prefix() / "drive_c" / "Program Files" / "LogoManager" / "LogoManager.exe");
    Open("");
    QVERIFY(!Find<QPushButton>(form_.get(), "Command5")->isEnabled());
    QVERIFY(messages_.shown.empty());
  }

  void exportWithNothingChosenShowsTheHintOnly() {
    InstallLogoManager();
    Open("");
    Find<QPushButton>(form_.get(), "Command5")->click();
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text,
             std::string("Wybierz plik, który chcesz eksportować do LogoManagera!"));
    QCOMPARE(messages_.shown[0].icon, shell::MessageIcon::Exclamation);
    QVERIFY(!Find<QTimer>(form_.get(), "Timer1")->isActive());
    QVERIFY(!fs::exists(Record()));
  }

  void exportHandsTheFileToLogoManagerAndClosesTwoSecondsLater() {
    InstallLogoManager();
    fs::create_directory(Folder() / "my logos");
    fs::copy_file(Folder() / "picture_wave.nlm", Folder() / "my logos" / "wave; $(x) 'it'.nlm");
    Open(Folder() / "my logos" / "wave; $(x) 'it'.nlm");
    form_->show();
    Find<QPushButton>(form_.get(), "Command5")->click();
    QTRY_VERIFY(fs::exists(Record()));
    std::string file = "Z:" + fs::weakly_canonical(form_->CurrentFile()).string();
    std::replace(file.begin(), file.end(), '/', '\\');
    QCOMPARE(Recorded(), "[C:\\Program Files\\LogoManager\\LogoManager.exe]\n[" + file + "]\n");
    QVERIFY(Find<QTimer>(form_.get(), "Timer1")->isActive());
    QVERIFY(form_->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!form_->isVisible(), 5000);
  }

  void withTheOptionClearedPloverStaysAndAFailedStartIsReported() {
    InstallLogoManager();
    Open(Folder() / "picture_wave.nlm");
    QTest::mouseClick(Find<QLabel>(form_.get(), "Label5"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(form_.get(), "Label5"), Qt::LeftButton);
    QVERIFY(Find<QCheckBox>(form_.get(), "Check2")->isChecked());  // twice: as it was
    QTest::mouseClick(Find<QLabel>(form_.get(), "Label5"), Qt::LeftButton);
    Find<QPushButton>(form_.get(), "Command5")->click();
    QTRY_VERIFY(fs::exists(Record()));
    QVERIFY(!Find<QTimer>(form_.get(), "Timer1")->isActive());

    fs::remove(Folder() / "bin" / "wine");  // LogoManager's runner gone meanwhile
    qputenv("PATH", QByteArray::fromStdString((Folder() / "bin").string()));
    Find<QCheckBox>(form_.get(), "Check2")->setChecked(true);
    Find<QPushButton>(form_.get(), "Command5")->click();
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text, shell::PloverTextsFor(shell::Language::Polish).ExportFailed);
    QVERIFY(!Find<QTimer>(form_.get(), "Timer1")->isActive());
  }
};

QTEST_MAIN(PloverWindowTest)
#include "plover_window_test.moc"
