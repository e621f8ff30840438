#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/kestrel/form1.h"
#include "shell/qt/display.h"
#include "support/recording_messages.h"
#include "support/text_art.h"
#include "window_probe.h"

namespace fs = std::filesystem;
using window_probe::Blank;
using window_probe::Find;
using Art = std::vector<std::string>;

// kestrel's window driven as a person drives it, offscreen; message boxes are recorded.
class KestrelWindowTest : public window_probe::WindowTest {
  Q_OBJECT

 private:
  std::unique_ptr<kestrel::Form1> form_;

  void Open(const fs::path& argument) {
    form_ = std::make_unique<kestrel::Form1>(argument.native(), &messages_);
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    return Find<T>(form_.get(), name);
  }
  void Click(const char* name) { Control<QAbstractButton>(name)->click(); }
  void ClickLabel(const char* name) { QTest::mouseClick(Control<QLabel>(name), Qt::LeftButton); }
  std::string Selected() {
    auto* file1 = Control<shell::FileList>("File1");
    return file1->SelectedIndex() < 0 ? "none" : file1->SelectedName();
  }
  Art BigScreen() { return window_probe::BigScreenDots(Control("Picture1"), 0, 0, 84, 48); }
  Art Preview() { return window_probe::PreviewDots(Control("Picture2")); }
  shell::Rgb GridCorner() { return window_probe::BigScreenPixel(Control("Picture1"), 6, 6); }
  static Art Sample(const char* name) {
    return test_support::ArtFromPicture(
        test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / name));
  }
  void ExpectShown(const char* entry, const char* art) {
    QCOMPARE(Selected(), std::string(entry));
    QCOMPARE(BigScreen(), Sample(art));
    QCOMPARE(Preview(), Sample(art));
  }
  void OpenFolderRow(int row) {
    auto* dir1 = Control<shell::FolderList>("Dir1");
    dir1->setCurrentRow(row);
    QTest::keyClick(dir1, Qt::Key_Return);
  }

  const shell::Rgb kGrid = shell::kGridColor;
  const shell::Rgb kScreen = shell::kScreenColor;

 private slots:
  void init() {
    StartInFreshFolder();
    const fs::path samples = KP_OWN_SAMPLES_DIR;
    fs::copy_file(samples / "kestrel_bird.nsl", Folder() / "a_bird.nsl");
    fs::copy_file(samples / "hello_frame.nsl", Folder() / "b_hello.nsl");
    fs::copy_file(samples / "phone_suite_header.nsl", Folder() / "C_logo.nsl");
    fs::copy_file(samples / "kestrel_bird.nsl", Folder() / "D_upper.NSL");
    fs::copy_file(samples / "operator_plover.nlm", Folder() / "other.nlm");
    fs::create_directory(Folder() / "sub");
  }

  void cleanup() {
    form_.reset();
    Finish();
  }

  void startsAtTheWorkingFolderWithNothingSelectedOrDrawn() {
    Open("");
    QCOMPARE(Control<shell::FileList>("File1")->Path(), Folder());
    QCOMPARE(Control<shell::FileList>("File1")->Count(), 4);
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreen(), Blank(84, 48));
    QVERIFY(GridCorner() == kScreen);
    QVERIFY(form_->CurrentFile().empty());
  }

  void drawsTheStartFileBeforeTheWindowIsFirstShown() {
    Open(Folder() / "b_hello.nsl");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    ExpectShown("b_hello.nsl", "hello_frame.txt");
    QVERIFY(window_probe::BigScreenPixel(Control("Picture1"), 504, 288) == kGrid);
    QVERIFY(messages_.shown.empty());
  }

  void startUpArgumentsRelativeWithBlanksOrInAnotherCase() {
    Open("C_logo.nsl");  // relative to the working folder
    ExpectShown("C_logo.nsl", "phone_suite_header.txt");
    QCOMPARE(form_->CurrentFile(), Folder() / "C_logo.nsl");

    fs::create_directory(Folder() / "my logos");
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "my logos" / "my bird.nsl");
    Open(Folder() / "my logos" / "my bird.nsl");
    ExpectShown("my bird.nsl", "kestrel_bird.txt");

    Open(Folder() / "B_HELLO.nsl");  // differs from the entry only in case: nothing selected
    QCOMPARE(Control<shell::FileList>("File1")->Path(), Folder());
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreen(), Blank(84, 48));
    QCOMPARE(form_->CurrentFile(), Folder() / "B_HELLO.nsl");

    Open(Folder() / "missing" / "x.nsl");  // a folder that cannot be opened is skipped
    QCOMPARE(Control<shell::FileList>("File1")->Path(), Folder());
    QVERIFY(messages_.shown.empty());
  }

  void nextAndPreviousWrapAroundTheEnds() {
    Open("");
    Click("Command4");  // nothing selected: the last
    QCOMPARE(Selected(), std::string("D_upper.NSL"));
    Click("Command3");  // from the last to the first
    ExpectShown("a_bird.nsl", "kestrel_bird.txt");
    Click("Command4");  // from the first to the last
    QCOMPARE(Selected(), std::string("D_upper.NSL"));
    Click("Command3");
    Click("Command3");
    ExpectShown("b_hello.nsl", "hello_frame.txt");
    QCOMPARE(form_->CurrentFile(), Folder() / "b_hello.nsl");
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // a keyboard move selects and draws too
    ExpectShown("C_logo.nsl", "phone_suite_header.txt");
  }

  void withFewerThanTwoEntriesNextAndPreviousDoNothing() {
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "sub" / "only.nsl");
    Open(Folder() / "sub" / "nothing-here");
    QCOMPARE(Control<shell::FileList>("File1")->Count(), 1);
    Click("Command3");
    Click("Command4");
    QCOMPARE(Selected(), std::string("none"));
    QCOMPARE(BigScreen(), Blank(84, 48));
  }

  void switchingDrawingOffShowsTheGridAndLoadsDrawStraightOntoIt() {
    Open(Folder() / "a_bird.nsl");
    ClickLabel("Label3");
    QVERIFY(!Control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(BigScreen(), Blank(84, 48));
    QVERIFY(GridCorner() == kGrid);
    QCOMPARE(Preview(), Blank(84, 48));
    Click("Command3");
    // Immediate: on the screen image at once, before any paint.
    QCOMPARE(test_support::ArtFromBigScreen(form_->Canvas().BigScreen().Screen(), 0, 0, 84, 48),
             Sample("hello_frame.txt"));
    ExpectShown("b_hello.nsl", "hello_frame.txt");
    ClickLabel("Label3");  // back on: both clear to their retained images, the grid stays
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);
    QCOMPARE(BigScreen(), Blank(84, 48));
    QVERIFY(GridCorner() == kGrid);
    QCOMPARE(Preview(), Blank(84, 48));
  }

  void showOnBigScreenDecidesWhereTheNextLoadsDraw() {
    Open(Folder() / "a_bird.nsl");
    ClickLabel("Label4");
    QVERIFY(!Control<QCheckBox>("Check2")->isChecked());
    QCOMPARE(BigScreen(), Sample("kestrel_bird.txt"));  // nothing changes until the next load
    Click("Command3");
    QCOMPARE(BigScreen(), Blank(84, 48));
    QVERIFY(GridCorner() == kScreen);
    QCOMPARE(Preview(), Sample("hello_frame.txt"));
    Click("Check1");  // Immediate without the big screen: a plain background
    Click("Check2");  // on again: cells are drawn, still without a grid
    Click("Command3");
    QCOMPARE(BigScreen(), Sample("phone_suite_header.txt"));
    QVERIFY(GridCorner() == kScreen);
  }

  void messageBoxesInTheLanguage() {
    std::vector<char> zeros(573, 0);
    QFile file(QString::fromStdString((Folder() / "aa_short.nsl").string()));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(zeros.data(), 573) == 573);
    file.close();
    Open(Folder() / "a_bird.nsl");
    Click("Command3");
    QCOMPARE(Selected(), std::string("aa_short.nsl"));
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].icon, shell::MessageIcon::Critical);
    QVERIFY(messages_.shown[0].text.starts_with("Wystąpił błąd:\r\n"));
    QCOMPARE(BigScreen(), Blank(84, 48));
    QCOMPARE(Preview(), Blank(84, 48));
    Click("Command3");  // still usable
    ExpectShown("b_hello.nsl", "hello_frame.txt");

    Click("Command2");
    QCOMPARE(messages_.shown.back().text,
             shell::KestrelTextsFor(shell::Language::Polish).AboutText);
    QCOMPARE(messages_.shown.back().icon, shell::MessageIcon::Information);
    settings_ = window_probe::UseLanguageSetting("en");
    Open("");
    Click("Command2");
    QCOMPARE(messages_.shown.back().text,
             shell::KestrelTextsFor(shell::Language::English).AboutText);
  }

  void foldersOpenFromTheListAndOneThatVanishedGetsAMessage() {
    fs::copy_file(Folder() / "a_bird.nsl", Folder() / "sub" / "x.nsl");
    fs::create_directory(Folder() / "sub" / "deeper");
    Open("");
    auto* dir1 = Control<shell::FolderList>("Dir1");
    OpenFolderRow(dir1->count() - 1);
    QCOMPARE(dir1->Path(), Folder() / "sub");
    QCOMPARE(Control<shell::FileList>("File1")->Path(), Folder() / "sub");
    QCOMPARE(Control<shell::FileList>("File1")->Count(), 1);
    QCOMPARE(Selected(), std::string("none"));

    fs::remove(Folder() / "sub" / "deeper");
    OpenFolderRow(dir1->count() - 1);
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QVERIFY(messages_.shown[0].text.starts_with("Nie można otworzyć folderu:\r\n"));
    QCOMPARE(dir1->Path(), Folder() / "sub");
    QCOMPARE(Control<shell::FileList>("File1")->Path(), Folder() / "sub");
  }

  void controlsSitWhereTheLayoutPutsThemInTabOrder() {
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
      QCOMPARE(Control(name)->geometry(), place);
    }
    QCOMPARE(Control<QLabel>("Image1")->pixmap().size(), QSize(349, 169));
    QCOMPARE(form_->children().indexOf(Control("Image1")), 0);  // behind everything
    QVERIFY(Control<QLabel>("Label1")->font().bold());
    QCOMPARE(Control<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(Control<QCheckBox>("Check1")->isChecked() && Control<QCheckBox>("Check2")->isChecked());

    std::vector<QString> order;
    for (QWidget* at = Control("Command1"); order.size() < 11; at = at->nextInFocusChain()) {
      if (at->focusPolicy() != Qt::NoFocus && !at->objectName().isEmpty()) {
        order.push_back(at->objectName());
      }
    }
    QCOMPARE(order,
             (std::vector<QString>{"Command1", "Command4", "Command3", "Picture1", "File1",
                                   "Drive1", "Dir1", "Check1", "Picture2", "Check2", "Command2"}));
  }

  void captionsInEachLanguageFitTheirLabels() {
    for (const char* language : {"pl", "en-GB"}) {
      settings_ = window_probe::UseLanguageSetting(language);
      Open("");
      for (const shell::Caption& caption : shell::kKestrelCaptions) {
        const auto expected =
            caption.In(language[0] == 'e' ? shell::Language::English : shell::Language::Polish);
        QCOMPARE(Control(std::string(caption.control).c_str())->property("text").toString(),
                 shell::FromUtf8(expected));
      }
      for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        QLabel* label = Control<QLabel>(name);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
      }
      QCOMPARE(Control("Command3")->toolTip(), QStringLiteral("Następny"));
      QCOMPARE(Control("Command4")->toolTip(), QStringLiteral("Poprzedni"));
    }
  }
};

QTEST_MAIN(KestrelWindowTest)
#include "kestrel_window_test.moc"
