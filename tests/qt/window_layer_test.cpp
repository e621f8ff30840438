#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/qt/window_layer.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"
#include "window_probe.h"

namespace fs = std::filesystem;
using window_probe::Find;

// What only the Qt window shows: the window built from its table, and each widget's events
// reaching the model. Behaviour itself is tested on the model.
class WindowLayerTest : public QObject {
  Q_OBJECT

 private:
  test_support::TempFolder folder_;
  test_support::RecordingMessages messages_;
  std::optional<std::string> language_;
  std::unique_ptr<shell::ViewerForm> form_;
  std::unique_ptr<shell::QtWindow> window_;

  shell::ViewerServices Services() {
    return {.messages = messages_,
            .read_language_setting = [this] { return language_; },
            .list_drives = [] { return std::vector<shell::Drive>{{"/", "/"}}; },
            .working_folder = [this] { return folder_.Path(); }};
  }
  template <typename Form, typename... Extra>
  QWidget* Open(const fs::path& argument, Extra... extra) {
    window_.reset();
    form_ = std::make_unique<Form>(Services(), extra...);
    window_ = std::make_unique<shell::QtWindow>(*form_);
    form_->Form_Load(argument.native());
    return window_.get();
  }
  QWidget* Kestrel(const fs::path& argument = {}) { return Open<kestrel::Form1>(argument); }
  QWidget* Plover() {
    return Open<plover::Form1>(
        {}, plover::ExportServices{[] { return nlm::LogoManagerLookup{"", false}; },
                                   [](const std::string&, const fs::path&) { return false; }});
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    return Find<T>(window_.get(), name);
  }
  shell::FileList& File1() { return static_cast<shell::FileList&>(*form_->ControlNamed("File1")); }
  static std::vector<std::string> Art(const char* name) {
    return test_support::ArtFromPicture(
        test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / name));
  }

 private slots:
  void initTestCase() {
    for (const auto& [sample, name] : std::vector<std::pair<const char*, const char*>>{
             {"kestrel_bird.nsl", "a_bird.nsl"}, {"hello_frame.nsl", "b_hello.nsl"},
             {"phone_suite_header.nsl", "c_logo.nsl"}, {"picture_wave.nlm", "wave.nlm"},
             {"operator_plover.nlm", "operator.nlm"}}) {
      fs::copy_file(fs::path(KP_OWN_SAMPLES_DIR) / sample, folder_.Path() / name);
    }
    fs::create_directory(folder_.Path() / "sub");
  }

  void cleanup() {
    window_.reset();
    form_.reset();
    language_.reset();
  }

  void kestrelsWindowIsBuiltFromItsTable() {
    QWidget* window = Kestrel();
    QCOMPARE(window->size(), QSize(658, 466));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->windowTitle(), QStringLiteral("Kestrel 1.0"));
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
    QCOMPARE(window->children().indexOf(Control("Image1")), 0);  // behind everything
    QVERIFY(Control<QLabel>("Label1")->font().bold());
    QCOMPARE(Control<QLabel>("Label1")->text(), QStringLiteral("E-Mail: logos@example.org"));
    QCOMPARE(Control<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(Control<QCheckBox>("Check1")->isChecked() && Control<QCheckBox>("Check2")->isChecked());
    QCOMPARE(Control<QPushButton>("Command2")->iconSize(), QSize(14, 14));
    QCOMPARE(Control<QPushButton>("Command3")->iconSize(), QSize(15, 15));
    QCOMPARE(Control("Command3")->toolTip(), QStringLiteral("Następny"));
    QCOMPARE(Control("Command4")->toolTip(), QStringLiteral("Poprzedni"));

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

  void ploversWindowDiffers() {
    QWidget* window = Plover();
    QCOMPARE(window->size(), QSize(655, 467));
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(window->windowTitle(), QStringLiteral("Plover 1.0"));
    QCOMPARE(Control("File1")->geometry(), QRect(516, 4, 137, 461));
    QCOMPARE(Control("Command5")->geometry(), QRect(4, 400, 97, 25));
    QVERIFY(!Control<QPushButton>("Command5")->isEnabled());
    QCOMPARE(Control<QLabel>("Image1")->pixmap().size(), QSize(264, 170));
    QCOMPARE(Control<QLabel>("Label2")->font().pointSizeF(), 8.25);
    QVERIFY(Control<QLabel>("Label1")->alignment() & Qt::AlignHCenter);
    QCOMPARE(Control<QTimer>("Timer1")->interval(), 2000);
    QVERIFY(!Control<QTimer>("Timer1")->isActive());
    QVERIFY(window->findChild<QWidget*>(QStringLiteral("Picture2")) == nullptr);
  }

  void captionsInEachLanguageFitTheirLabels() {
    for (const char* language : {"pl", "en"}) {
      language_ = language;
      Kestrel();
      QCOMPARE(Control<QPushButton>("Command1")->text(),
               QString::fromUtf8(language[0] == 'e' ? "Exit" : "Koniec"));
      for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        QLabel* label = Control<QLabel>(name);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
      }
    }
  }

  void theSurfacesShowTheCanvasOnScreen() {
    Kestrel(folder_.Path() / "a_bird.nsl");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCOMPARE(window_probe::BigScreenDots(Control("Picture1"), 0, 0, 84, 48),
             Art("kestrel_bird.txt"));
    QCOMPARE(window_probe::PreviewDots(Control("Picture2")), Art("kestrel_bird.txt"));
  }

  void eachWidgetsEventsReachTheModel() {
    Kestrel();
    Control<QPushButton>("Command3")->click();
    QCOMPARE(File1().SelectedIndex(), 0);
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // a keyboard move selects and draws
    QCOMPARE(File1().SelectedIndex(), 1);
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "b_hello.nsl");
    QTest::keyClick(Control("File1"), Qt::Key_Space, Qt::ControlModifier);  // deselects
    QCOMPARE(File1().SelectedIndex(), -1);
    auto* file1 = Control<QListView>("File1");
    const QModelIndex second = file1->model()->index(1, 0);
    form_->Canvas().ClearCanvas();
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualRect(second).center());
    QCOMPARE(File1().SelectedIndex(), 1);  // chosen again: drawn again
    form_->Canvas().Present();
    QCOMPARE(test_support::ArtFromPreview(form_->Canvas().PreviewSurface()->Screen(),
                                          shell::kDotColor),
             Art("hello_frame.txt"));

    QTest::mouseClick(Control<QLabel>("Label3"), Qt::LeftButton);
    QVERIFY(!Control<QCheckBox>("Check1")->isChecked());
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Immediate);
    Control<QCheckBox>("Check1")->click();
    QCOMPARE(form_->Canvas().BigScreen().Mode(), shell::PresentationMode::Deferred);

    auto* dir1 = Control<QListWidget>("Dir1");
    dir1->setCurrentRow(dir1->count() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(File1().Path(), folder_.Path() / "sub");
    QCOMPARE(Control<QComboBox>("Drive1")->currentText(), QStringLiteral("/"));

    Control<QPushButton>("Command2")->click();
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    window_->show();
    Control<QPushButton>("Command1")->click();
    QVERIFY(!window_->isVisible());
    QVERIFY(form_->Closed());
  }

  void theCloseBoxAndTheTimerCloseTheWindow() {
    Kestrel();
    window_->show();
    window_->close();  // as the close box does
    QVERIFY(form_->Closed());

    Plover();
    window_->show();
    static_cast<shell::Timer&>(*form_->ControlNamed("Timer1")).SetEnabled(true);
    QVERIFY(Control<QTimer>("Timer1")->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), 5000);
    QVERIFY(form_->Closed());
  }

  void tabbingIntoTheFileListSelectsNothing() {
    Plover();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Control("Picture1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control("File1"));
    QCOMPARE(File1().SelectedIndex(), -1);
    QVERIFY(form_->CurrentFile().empty());
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // the first key takes the first entry
    QCOMPARE(File1().SelectedIndex(), 0);
  }
};

QTEST_MAIN(WindowLayerTest)
#include "window_layer_test.moc"
