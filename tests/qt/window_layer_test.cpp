#include <QTest>
#include <QtWidgets>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/qt/display.h"
#include "shell/qt/window_layer.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

// What only the Qt window shows: each window built from its table, its surfaces painted, and
// each widget's events reaching the model. Behaviour is tested on the model.
class WindowLayerTest : public QObject {
  Q_OBJECT

 private:
  test_support::TempFolder folder_;
  test_support::RecordingMessages messages_;
  std::optional<std::string> language_;
  std::unique_ptr<shell::ViewerForm> form_;
  std::unique_ptr<shell::QtWindow> window_;

  void Open(bool kestrel, const std::filesystem::path& argument = {}) {
    window_.reset();
    const shell::ViewerServices services{
        messages_, [this] { return language_; },
        [] { return std::vector<shell::Drive>{{"/", "/"}}; }, [this] { return folder_.Path(); }};
    const auto none = [] { return nlm::LogoManagerLookup{"", false}; };
    form_ = kestrel ? std::unique_ptr<shell::ViewerForm>(new kestrel::Form1(services))
                    : std::make_unique<plover::Form1>(services, plover::ExportServices{none, {}});
    window_ = std::make_unique<shell::QtWindow>(*form_);
    form_->Form_Load(argument.native());
  }
  template <typename T = QWidget>
  T* Control(std::string_view name) { return window_->findChild<T*>(shell::FromUtf8(name)); }
  shell::FileList& File1() { return form_->ControlNamed<shell::FileList>("File1"); }
  // Whether the surface widget paints the raster inside its border, pixel for pixel.
  bool Paints(const char* name, int border, const shell::Raster& raster) {
    const QImage shown(reinterpret_cast<const uchar*>(raster.Pixels()), raster.Width(),
                       raster.Height(), QImage::Format_RGB32);
    return Control(name)->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(
               border, border, raster.Width(), raster.Height()) == shown;
  }
  // Where the big screen, on screen, differs from the art on its grid.
  std::string BigScreenDiffers(const char* art) {
    form_->Canvas().Present();
    const shell::Raster& screen = form_->Canvas().BigScreen().Screen();
    const shell::Raster expected =
        test_support::ScreenOf(test_support::SampleArt(art), 0, 0, shell::kGridColor);
    return Paints("Picture1", 2, screen) ? test_support::Difference(screen, expected) : "unpainted";
  }

 private slots:
  void initTestCase() {
    for (const char* sample : {"kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm"}) {
      std::filesystem::copy_file(test_support::SamplePath(sample), folder_.Path() / sample);
    }
    std::filesystem::create_directory(folder_.Path() / "sub");
  }

  void eachWindowIsItsTableWithTheModelsCaptionsFittingTheirLabels() {
    for (int window_and_language = 0; window_and_language < 4; ++window_and_language) {
      language_ = window_and_language % 2 ? "en" : "pl";
      Open(window_and_language < 2);
      const shell::WindowSpec& window = form_->Window();
      QCOMPARE(window_->size(), QSize(window.client_width, window.client_height));
      QCOMPARE(window_->minimumSize(), window_->maximumSize());
      const auto flags = window_->windowFlags();
      QCOMPARE(flags.testFlag(Qt::WindowMinimizeButtonHint), window.minimize_button);
      QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
      QCOMPARE(window_->windowTitle(), shell::FromUtf8(window.title));
      for (const shell::ControlSpec& c : window.controls) {
        const shell::ControlRef control = form_->ControlFor(c);
        const auto* model = std::holds_alternative<shell::TextControl*>(control)
                                ? std::get<shell::TextControl*>(control)
                                : nullptr;
        if (auto* timer = Control<QTimer>(c.name)) {
          QVERIFY(timer->interval() == c.interval && !timer->isActive());
          continue;
        }
        QWidget* widget = Control(c.name);
        QVERIFY2(widget && widget->geometry() == QRect(c.left, c.top, c.width, c.height) &&
                     widget->toolTip() == shell::FromUtf8(c.tooltip),
                 c.name.data());
        auto* label = qobject_cast<QLabel*>(widget);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
          QCOMPARE(button->text(), shell::FromUtf8(model->Caption()));
          QCOMPARE(button->isEnabled(), model->Enabled());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
          QCOMPARE(box->isChecked(), c.checked);
        } else if (c.kind == shell::ControlKind::Image) {  // behind everything
          QVERIFY(label->pixmap().size() == widget->size() && window_->children()[0] == widget);
        } else if (label) {
          const QString text = shell::FromUtf8(model->Caption());
          QVERIFY2(label->text() == text && label->fontMetrics().horizontalAdvance(text) <= c.width,
                   c.name.data());
          const shell::Rgb rgb = c.text_colour.value_or(shell::Rgb{0, 0, 0});
          QCOMPARE(label->palette().color(QPalette::WindowText), QColor(rgb.r, rgb.g, rgb.b));
        }
      }
    }
    // The places the two windows' layouts give, worked out from them by hand.
    for (const auto& [kestrel, places] : std::vector<std::pair<bool, const char*>>{
             {true, "Picture1 4 4 509 293 File1 512 4 145 461 Drive1 352 300 161 21 "
                    "Dir1 352 323 161 141 Command4 292 300 25 25 Command3 320 300 25 25 "
                    "Picture2 4 300 86 50 Check1 8 360 17 17 Label3 24 360 153 17 "
                    "Label2 24 376 321 17 Check2 8 400 17 17 Label4 24 400 117 21 "
                    "Command1 8 436 57 25 Command2 72 436 33 25 Label1 172 448 181 17 "
                    "Image1 36 296 349 169 "},
             {false, "Picture1 4 4 509 293 File1 516 4 137 461 Drive1 348 300 169 21 "
                     "Dir1 348 323 169 141 Command4 292 300 25 25 Command3 320 300 25 25 "
                     "Label1 8 300 273 21 Check1 8 324 13 21 Label4 24 328 153 17 "
                     "Check2 8 348 13 17 Label5 24 348 169 17 Label2 8 380 49 17 "
                     "Command5 4 400 97 25 Command1 4 440 49 25 Command2 64 440 33 25 "
                     "Label3 168 452 177 25 Image1 84 300 264 170 "}}) {
      Open(kestrel);
      const QStringList expected = QString(places).split(' ', Qt::SkipEmptyParts);
      QCOMPARE(expected.size(), 5 * qsizetype(form_->Window().controls.size() - (kestrel ? 0 : 1)));
      for (qsizetype i = 0; i < expected.size(); i += 5) {
        const QWidget* widget = Control(expected[i].toStdString());
        QVERIFY2(widget, qPrintable(expected[i]));
        const QRect r = widget->geometry();
        QCOMPARE((QStringList{expected[i], QString::number(r.x()), QString::number(r.y()),
                              QString::number(r.width()), QString::number(r.height())}),
                 expected.mid(i, 5));
      }
    }
    for (const bool kestrel : {true, false}) {  // the focus chain in the model's tab order
      Open(kestrel);
      QString expected, order;
      for (const shell::ControlSpec* spec : shell::TabOrder(form_->Window().controls)) {
        expected += shell::FromUtf8(spec->name) + ' ';
      }
      for (QWidget* at = Control("Command1"); order.size() < expected.size();
           at = at->nextInFocusChain()) {
        if (at->focusPolicy() != Qt::NoFocus && !at->objectName().isEmpty()) {
          order += at->objectName() + ' ';
        }
      }
      QCOMPARE(order, expected);
    }
  }

  void theSurfacesPaintTheCanvasAndTheCloseBoxCloses() {
    Open(true, folder_.Path() / "kestrel_bird.nsl");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCOMPARE(BigScreenDiffers("kestrel_bird"), std::string());
    const shell::Raster& preview = form_->Canvas().PreviewSurface()->Screen();
    QVERIFY(Paints("Picture2", 1, preview));
    QCOMPARE(test_support::PreviewArt(preview, shell::kDotColor),
             test_support::SampleArt("kestrel_bird"));
    window_->close();
    QVERIFY(form_->Closed());
  }

  void eachWidgetsEventsReachTheModel() {
    Open(true);
    Control<QPushButton>("Command3")->click();
    QCOMPARE(File1().SelectedIndex(), 0);
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // a keyboard move selects and draws
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    QTest::keyClick(Control("File1"), Qt::Key_Space, Qt::ControlModifier);  // deselects
    QCOMPARE(File1().SelectedIndex(), -1);
    auto* file1 = Control<QListView>("File1");
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                      file1->visualRect(file1->model()->index(0, 0)).center());
    QCOMPARE(BigScreenDiffers("hello_frame"), std::string());  // chosen again: drawn again
    QTest::mouseClick(Control("Label3"), Qt::LeftButton);
    QCOMPARE(form_->ControlNamed<shell::CheckBox>("Check1").Value(), 0);
    QVERIFY(!Control<QCheckBox>("Check1")->isChecked());
    Control<QCheckBox>("Check1")->click();
    QCOMPARE(form_->ControlNamed<shell::CheckBox>("Check1").Value(), 1);
    auto* dir1 = Control<QListWidget>("Dir1");
    dir1->setCurrentRow(dir1->count() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(File1().Path(), folder_.Path() / "sub");
    QCOMPARE(Control<QComboBox>("Drive1")->currentText(), QStringLiteral("/"));
    window_->show();
    Control<QPushButton>("Command1")->click();
    QVERIFY(!window_->isVisible() && form_->Closed());
  }

  // The focus starts on Exit, Enter clicks a button, a letter picks a file, the focus comes back
  // after a message box, and a double-click on a caption toggles its box once.
  void theKeyboardWorksFromTheFirstMomentAndTheFocusComesBack() {
    Open(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), Control("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // Next
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(File1().SelectedIndex(), 0);
    Control("File1")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(Control("File1"), "k");
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    Control("File1")->clearFocus();
    Control<QPushButton>("Command2")->click();  // About, then the focus where it was
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(QApplication::focusWidget(), Control("File1"));
    QWidget* caption = Control("Label3");  // a double-click as Qt delivers it
    QTest::mouseClick(caption, Qt::LeftButton);
    QTest::mousePress(caption, Qt::LeftButton);
    QTest::mouseDClick(caption, Qt::LeftButton);
    QTest::mouseRelease(caption, Qt::LeftButton);
    QCOMPARE(form_->ControlNamed<shell::CheckBox>("Check1").Value(), 0);
    messages_.shown.clear();
  }

  // A file dropped from a file manager, on the file list, reaches the model; other data does not.
  void aDroppedFileIsOpened() {
    Open(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QWidget* target = Control("File1");
    const auto drop = [target](const QList<QUrl>& urls) {
      QMimeData data;
      data.setUrls(urls);
      const QPoint at = target->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &enter);
      QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &dropped);
      return enter.isAccepted();
    };
    QVERIFY(!drop({QUrl("https://example.org/a.nsl")}));
    QCOMPARE(File1().SelectedIndex(), -1);
    const QString bird = QString::fromStdString((folder_.Path() / "kestrel_bird.nsl").string());
    QVERIFY(drop({QUrl::fromLocalFile(bird)}));
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    QCOMPARE(BigScreenDiffers("kestrel_bird"), std::string());
  }

  void tabbingIntoTheFileListSelectsNothingAndTheTimerCloses() {
    Open(false);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Control("Picture1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control("File1"));
    QVERIFY(File1().SelectedIndex() == -1 && form_->CurrentFile().empty());
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // the first key takes the first entry
    QCOMPARE(File1().SelectedIndex(), 0);
    form_->ControlNamed<shell::Timer>("Timer1").SetEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible() && form_->Closed(), 5000);
  }
};

QTEST_MAIN(WindowLayerTest)
#include "window_layer_test.moc"
