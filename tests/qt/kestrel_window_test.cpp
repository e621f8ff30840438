#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/kestrel/form1.h"
#include "shell/qt/browser_lists.h"
#include "support/recording_messages.h"
#include "support/text_art.h"
#include "window_probe.h"

namespace fs = std::filesystem;
using window_probe::BigScreenDots;
using window_probe::Blank;
using window_probe::PreviewDots;

namespace {

std::vector<std::string> Art(const char* name) {
  return test_support::ArtFromPicture(
      test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / name));
}

}  // namespace

// kestrel's window driven as a person drives it, offscreen; message boxes are recorded.
class KestrelWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<QTemporaryDir> settings_;
  test_support::RecordingMessages messages_;
  std::unique_ptr<kestrel::Form1> form_;

  fs::path Folder() const { return fs::path(folder_->path().toStdString()); }

  void UseLanguage(const QByteArray& value) { settings_ = window_probe::UseLanguageSetting(value); }

  kestrel::Form1& Open(const std::string& argument) {
    form_ = std::make_unique<kestrel::Form1>(argument, &messages_);
    return *form_;
  }

  template <typename T>
  T* Control(const char* name) {
    return window_probe::Find<T>(form_.get(), name);
  }
  shell::FileList* File1() { return Control<shell::FileList>("File1"); }
  QWidget* Picture1() { return Control<QWidget>("Picture1"); }
  QWidget* Picture2() { return Control<QWidget>("Picture2"); }
  void Click(const char* name) { Control<QAbstractButton>(name)->click(); }
  void ClickLabel(const char* name) { QTest::mouseClick(Control<QLabel>(name), Qt::LeftButton); }
  std::string Selected() {
    const int index = File1()->SelectedIndex();
    return index < 0 ? std::string("none") : File1()->Entry(index);
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    const fs::path samples = KP_OWN_SAMPLES_DIR;
    fs::copy_file(samples / "kestrel_bird.nsl", Folder() / "a_bird.nsl");
    fs::copy_file(samples / "hello_frame.nsl", Folder() / "b_hello.nsl");
    fs::copy_file(samples / "phone_suite_header.nsl", Folder() / "C_logo.nsl");
    fs::copy_file(samples / "kestrel_bird.nsl", Folder() / "D_upper.NSL");
    fs::copy_file(samples / "operator_plover.nlm", Folder() / "other.nlm");
    fs::create_directory(Folder() / "sub");
    fs::current_path(Folder());
    messages_.shown.clear();
    UseLanguage("pl");
  }

  void cleanup() {
    form_.reset();
    fs::current_path(fs::temp_directory_path());
  }

  // Start-up

  void startsAtTheWorkingFolderWithNothingSelectedOrDrawn() {
    Open("");
    QCOMPARE(File1()->Path(), Folder());
    QCOMPARE(File1()->Count(), 4);
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(123, 189, 110));  // no grid yet
    QVERIFY(form_->CurrentFile().empty());
  }

  void listsMatchingFilesSortedWithoutRegardToCase() {
    Open("");
    std::vector<std::string> entries;
    for (int i = 0; i < File1()->Count(); ++i) {
      entries.push_back(File1()->Entry(i));
    }
    QCOMPARE(entries,
             (std::vector<std::string>{"a_bird.nsl", "b_hello.nsl", "C_logo.nsl", "D_upper.NSL"}));
  }

  void drawsTheStartFileBeforeTheWindowIsFirstShown() {
    Open((Folder() / "b_hello.nsl").string());
    QCOMPARE(Selected(), std::string("b_hello.nsl"));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("hello_frame.txt"));
    QCOMPARE(PreviewDots(Picture2()), Art("hello_frame.txt"));
    QCOMPARE(window_probe::PixelOf(Picture1(), 504, 288, 2), QColor(120, 120, 120));
    QVERIFY(messages_.shown.empty());
  }

  void aNameDifferingOnlyInCaseSelectsNothing() {
    const fs::path argument = Folder() / "B_HELLO.nsl";
    Open(argument.string());
    QCOMPARE(File1()->Path(), Folder());
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(form_->CurrentFile(), argument);
  }

  void aRelativeArgumentIsTakenFromTheWorkingFolder() {
    Open("C_logo.nsl");
    QCOMPARE(Selected(), std::string("C_logo.nsl"));
    QCOMPARE(form_->CurrentFile(), Folder() / "C_logo.nsl");
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("phone_suite_header.txt"));
  }

  void anArgumentWithBlanksIsOnePath() {
    fs::create_directory(Folder() / "my logos");
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "my logos" / "my bird.nsl");
    Open((Folder() / "my logos" / "my bird.nsl").string());
    QCOMPARE(File1()->Path(), Folder() / "my logos");
    QCOMPARE(Selected(), std::string("my bird.nsl"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("kestrel_bird.txt"));
  }

  void aMissingFolderOpensTheWorkingFolderQuietly() {
    Open((Folder() / "missing" / "x.nsl").string());
    QCOMPARE(File1()->Path(), Folder());
    QCOMPARE(Selected(), std::string("none"));
    QVERIFY(messages_.shown.empty());
  }

  // Next and Previous

  void nextAndPreviousWrapAroundTheEnds() {
    Open("");
    Click("Command3");  // nothing selected: the first
    QCOMPARE(Selected(), std::string("a_bird.nsl"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("kestrel_bird.txt"));
    Click("Command4");  // from the first to the last
    QCOMPARE(Selected(), std::string("D_upper.NSL"));
    Click("Command3");  // from the last to the first
    QCOMPARE(Selected(), std::string("a_bird.nsl"));
    Click("Command3");
    QCOMPARE(Selected(), std::string("b_hello.nsl"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("hello_frame.txt"));
    QCOMPARE(PreviewDots(Picture2()), Art("hello_frame.txt"));
    QCOMPARE(form_->CurrentFile(), Folder() / "b_hello.nsl");
  }

  void previousWithNothingSelectedSelectsTheLast() {
    Open("");
    Click("Command4");
    QCOMPARE(Selected(), std::string("D_upper.NSL"));
  }

  void withFewerThanTwoEntriesNextAndPreviousDoNothing() {
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "sub" / "only.nsl");
    Open((Folder() / "sub" / "nothing-here").string());
    QCOMPARE(File1()->Count(), 1);
    Click("Command3");
    Click("Command4");
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
  }

  void keyboardMovesSelectAndDraw() {
    Open((Folder() / "a_bird.nsl").string());
    QTest::keyClick(File1(), Qt::Key_Down);
    QCOMPARE(Selected(), std::string("b_hello.nsl"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("hello_frame.txt"));
  }

  // Drawing options

  void switchingDrawingOffShowsTheGridAndLoadsDrawOnIt() {
    Open((Folder() / "a_bird.nsl").string());
    ClickLabel("Label3");
    QVERIFY(!Control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Immediate);
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(120, 120, 120));
    QCOMPARE(PreviewDots(Picture2()), Blank(84, 48));

    Click("Command3");
    // Immediate: on the screen image at once, before any paint.
    QCOMPARE(test_support::ArtFromBigScreen(form_->Canvas().BigScreen().Screen(), 0, 0, 84, 48),
             Art("hello_frame.txt"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("hello_frame.txt"));
    QCOMPARE(PreviewDots(Picture2()), Art("hello_frame.txt"));

    Click("Check1");  // back on: both surfaces clear to their retained images
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(120, 120, 120));
  }

  void withoutTheBigScreenTheImmediateBackgroundStaysPlain() {
    Open("");
    ClickLabel("Label4");
    QVERIFY(!Control<QCheckBox>("Check2")->isChecked());
    Click("Check1");
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(123, 189, 110));
    Click("Check2");  // on again: cells are drawn, still without a grid
    Click("Command3");
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("kestrel_bird.txt"));
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(123, 189, 110));
  }

  void showOnBigScreenOffDrawsOnlyThePreview() {
    Open((Folder() / "a_bird.nsl").string());
    Click("Check2");  // nothing changes on screen until the next load
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("kestrel_bird.txt"));
    Click("Command3");
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(123, 189, 110));
    QCOMPARE(PreviewDots(Picture2()), Art("hello_frame.txt"));
  }

  void clickingACaptionTwiceLeavesItsBoxAsItWas() {
    Open((Folder() / "a_bird.nsl").string());
    ClickLabel("Label3");
    ClickLabel("Label3");
    QVERIFY(Control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));  // the logo is gone
    QCOMPARE(window_probe::PixelOf(Picture1(), 6, 6, 2), QColor(120, 120, 120));
    QCOMPARE(PreviewDots(Picture2()), Blank(84, 48));
  }

  // Messages

  void aboutShowsTheTextOfTheLanguage() {
    Open("");
    Click("Command2");
    UseLanguage("en");
    kestrel::Form1 english("", &messages_);
    english.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QCOMPARE(messages_.shown.size(), std::size_t{2});
    QCOMPARE(messages_.shown[0].text, shell::KestrelTextsFor(shell::Language::Polish).AboutText);
    QCOMPARE(messages_.shown[1].text, shell::KestrelTextsFor(shell::Language::English).AboutText);
    QCOMPARE(messages_.shown[1].icon, shell::MessageIcon::Information);
  }

  void aShortFileGivesOneFailureBoxAndClearsTheSurfaces() {
    std::vector<char> bytes(573, 0);
    QFile file(QString::fromStdString((Folder() / "aa_short.nsl").string()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    Open((Folder() / "a_bird.nsl").string());
    Click("Command3");
    QCOMPARE(Selected(), std::string("aa_short.nsl"));
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].icon, shell::MessageIcon::Critical);
    QVERIFY(messages_.shown[0].text.starts_with("Wystąpił błąd:\r\n"));
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Blank(84, 48));
    QCOMPARE(PreviewDots(Picture2()), Blank(84, 48));
    Click("Command3");  // still usable
    QCOMPARE(BigScreenDots(Picture1(), 0, 0, 84, 48), Art("hello_frame.txt"));
  }

  void aFolderRemovedWhileShownGivesOneMessageAndKeepsTheLists() {
    Open("");
    auto* dir1 = Control<shell::FolderList>("Dir1");
    const int row = dir1->count() - 1;
    QCOMPARE(dir1->FolderAt(row), Folder() / "sub");
    fs::remove(Folder() / "sub");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    dir1->setCurrentRow(row);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QVERIFY(messages_.shown[0].text.starts_with("Nie można otworzyć folderu:\r\n"));
    QCOMPARE(dir1->Path(), Folder());
    QCOMPARE(File1()->Path(), Folder());
  }

  void openingAFolderFromTheListShowsItsFiles() {
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "sub" / "x.nsl");
    Open("");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    auto* dir1 = Control<shell::FolderList>("Dir1");
    const QPoint item = dir1->visualItemRect(dir1->item(dir1->count() - 1)).center();
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, item);
    QCOMPARE(dir1->Path(), Folder());  // one click only highlights
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, item);
    QCOMPARE(dir1->Path(), Folder() / "sub");
    QCOMPARE(File1()->Path(), Folder() / "sub");
    QCOMPARE(File1()->Count(), 1);
    QCOMPARE(Selected(), std::string("none"));
    QVERIFY(messages_.shown.empty());
  }

  // Layout and texts

  void controlsSitWhereTheLayoutPutsThem() {
    Open("");
    QCOMPARE(form_->size(), QSize(658, 466));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Kestrel 1.0"));
    const std::vector<std::pair<const char*, QRect>> layout = {
        {"Picture1", {4, 4, 509, 293}},   {"File1", {512, 4, 145, 461}},
        {"Drive1", {352, 300, 161, 21}},  {"Dir1", {352, 323, 161, 141}},
        {"Command4", {292, 300, 25, 25}}, {"Command3", {320, 300, 25, 25}},
        {"Picture2", {4, 300, 86, 50}},   {"Check1", {8, 360, 17, 17}},
        {"Label3", {24, 360, 153, 17}},   {"Label2", {24, 376, 321, 17}},
        {"Check2", {8, 400, 17, 17}},     {"Label4", {24, 400, 117, 21}},
        {"Command1", {8, 436, 57, 25}},   {"Command2", {72, 436, 33, 25}},
        {"Label1", {172, 448, 181, 17}},  {"Image1", {36, 296, 349, 169}},
    };
    for (const auto& [name, place] : layout) {
      QCOMPARE(Control<QWidget>(name)->geometry(), place);
    }
    QCOMPARE(Control<QLabel>("Image1")->pixmap().size(), QSize(349, 169));
    QCOMPARE(form_->children().indexOf(Control<QLabel>("Image1")), 0);  // behind everything
    QVERIFY(Control<QLabel>("Label1")->font().bold());
    QCOMPARE(Control<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(Control<QCheckBox>("Check1")->isChecked());
    QVERIFY(Control<QCheckBox>("Check2")->isChecked());
  }

  void tabOrderFollowsTheLayout() {
    Open("");
    std::vector<QString> order;
    QWidget* at = Control<QWidget>("Command1");
    for (int i = 0; i < 11; ++i) {
      order.push_back(at->objectName());
      at = at->nextInFocusChain();
      while (at->focusPolicy() == Qt::NoFocus || at->objectName().isEmpty()) {
        at = at->nextInFocusChain();
      }
    }
    QCOMPARE(order,
             (std::vector<QString>{"Command1", "Command4", "Command3", "Picture1", "File1",
                                   "Drive1", "Dir1", "Check1", "Picture2", "Check2", "Command2"}));
  }

  void englishReplacesTheCaptionsButNotTheTooltips() {
    UseLanguage("en-GB");
    Open("");
    QCOMPARE(Control<QLabel>("Label3")->text(), QStringLiteral("Don't show while drawing"));
    QCOMPARE(Control<QLabel>("Label4")->text(), QStringLiteral("Show on Big Screen"));
    QCOMPARE(Control<QLabel>("Label2")->text(),
             QStringLiteral("( unselect this option to make the Viewer much faster! )"));
    QCOMPARE(Control<QPushButton>("Command1")->text(), QStringLiteral("Exit"));
    QCOMPARE(Control<QPushButton>("Command3")->toolTip(), QStringLiteral("Następny"));
    QCOMPARE(Control<QPushButton>("Command4")->toolTip(), QStringLiteral("Poprzedni"));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Kestrel 1.0"));
  }

  void polishCaptionsFitTheirLabels() {
    Open("");
    QCOMPARE(Control<QLabel>("Label4")->text(), QStringLiteral("Rysuj na dużym ekranie"));
    QCOMPARE(Control<QPushButton>("Command1")->text(), QStringLiteral("Koniec"));
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
      QLabel* label = Control<QLabel>(name);
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
    }
  }
};

QTEST_MAIN(KestrelWindowTest)
#include "kestrel_window_test.moc"
