#include <QTest>
#include <QtWidgets>
#include <array>

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
  shell::CheckBox& Check1() { return form_->ControlNamed<shell::CheckBox>("Check1"); }
  // Whether the named surface shows the sample's art, every device pixel exact, somewhere inside
  // it: `pitch` pixels a dot, with grid lines `line` thick between and around the dots.
  bool Shows(const char* name, const char* sample, int pitch, int line = 0) {
    const QImage image = Control(name)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const test_support::Art art = test_support::SampleArt(sample);
    const int width = int(art[0].size()) * pitch + line, height = int(art.size()) * pitch + line;
    const auto expected = [&](int x, int y) {
      const auto dark = [&] { return art[std::size_t(y / pitch)][std::size_t(x / pitch)] == '#'; };
      const shell::Rgb rgb = x % pitch < line || y % pitch < line ? shell::kGridColor
                             : dark()                            ? shell::kDotColor
                                                                 : shell::kScreenColor;
      return qRgb(rgb.r, rgb.g, rgb.b);
    };
    for (int top = 0; top + height <= image.height(); ++top) {
      for (int left = 0; left + width <= image.width(); ++left) {
        bool same = true;
        for (int i = 0; same && i < width * height; ++i) {
          same = image.pixel(left + i % width, top + i / width) == expected(i % width, i / width);
        }
        if (same) return true;
      }
    }
    return false;
  }
  // The big screen's pitch and grid line and the preview's dot in device pixels at the window's
  // scale, worked out by hand: the largest whole pitch within 6 pixels scaled, lines as thick as
  // the scale's whole part.
  std::array<int, 3> DevicePixels() {
    const double scale = window_->devicePixelRatioF();
    return scale < 1.5 ? std::array{scale < 1.25 ? 6 : 7, 1, 1}
           : scale < 2 ? std::array{scale < 1.75 ? 9 : 10, 1, 1}
                       : std::array{12, 2, 2};
  }
  bool BigScreenShows(const char* sample) {
    return Shows("Picture1", sample, DevicePixels()[0], DevicePixels()[1]);
  }
  static QRect StyleRect(QWidget* button, QStyle::SubElement element) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(element, &option, button);
  }
  // Whether the caption's ink, in the widget's font at the window's scale, lies inside the text
  // area of the widget (a check box's beside its indicator), counted in device pixels.
  static bool CaptionFits(QWidget* widget, const QString& text) {
    const QRect area = qobject_cast<QLabel*>(widget) ? widget->contentsRect()
                       : StyleRect(widget, qobject_cast<QCheckBox*>(widget)
                                               ? QStyle::SE_CheckBoxContents
                                               : QStyle::SE_PushButtonContents);
    QImage ink(1200, 200, QImage::Format_RGB32);
    ink.fill(Qt::white);
    ink.setDevicePixelRatio(widget->devicePixelRatioF());
    QPainter painter(&ink);
    painter.setFont(widget->font());
    painter.drawText(QRectF(0, 0, 600, 100), Qt::AlignLeft | Qt::AlignTop, text);
    int right = 0, bottom = 0;
    for (int i = 0; i < ink.width() * ink.height(); ++i) {
      if (ink.pixel(i % ink.width(), i / ink.width()) != qRgb(255, 255, 255)) {
        right = std::max(right, i % ink.width() + 1);
        bottom = std::max(bottom, i / ink.width() + 1);
      }
    }
    const double scale = widget->devicePixelRatioF();
    return text.isEmpty() || (right <= area.width() * scale && bottom <= area.height() * scale);
  }

 private slots:
  void initTestCase() {
    for (const char* sample : {"kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm"}) {
      std::filesystem::copy_file(test_support::SamplePath(sample), folder_.Path() / sample);
    }
    std::filesystem::create_directory(folder_.Path() / "sub");
  }

  // Each window as its table says in either language, its logo shown: at the scale factor the
  // test runs at (QT_SCALE_FACTOR), every caption whole and every dot whole and crisp. Its close
  // box closes it.
  void eachWindowIsItsTableAndShowsItsLogoAtTheScreensScale() {
    for (int window_and_language = 0; window_and_language < 4; ++window_and_language) {
      language_ = window_and_language % 2 ? "en" : "pl";
      const bool kestrel = window_and_language < 2;
      const char* sample = kestrel ? "kestrel_bird" : "picture_wave";
      Open(kestrel, folder_.Path() / (sample + std::string(kestrel ? ".nsl" : ".nlm")));
      window_->show();
      QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
      QCOMPARE(window_->devicePixelRatioF(),
               qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
      QVERIFY(BigScreenShows(sample) && (!kestrel || Shows("Picture2", sample, DevicePixels()[2])));
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
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
          QVERIFY2(CaptionFits(button, button->text()), c.name.data());
          QCOMPARE(button->text(), shell::FromUtf8(model ? model->Caption() : ""));
          QCOMPARE(button->isEnabled(), !model || model->Enabled());
          QCOMPARE(button->isChecked(), c.checked);
        } else if (c.kind == shell::ControlKind::Image) {  // behind everything
          QVERIFY(label->pixmap().deviceIndependentSize().toSize() == widget->size() &&
                  window_->children()[0] == widget);
        } else if (label) {
          const QString text = shell::FromUtf8(model->Caption());
          QVERIFY2(label->text() == text && CaptionFits(label, text), c.name.data());
          for (QCheckBox* box : window_->findChildren<QCheckBox*>()) {  // clear of its indicator
            const QRect indicator = StyleRect(box, QStyle::SE_CheckBoxIndicator);
            QVERIFY2(!label->geometry().intersects(indicator.translated(box->pos())),
                     c.name.data());
          }
          const shell::Rgb rgb = c.text_colour.value_or(shell::Rgb{0, 0, 0});
          QCOMPARE(label->palette().color(QPalette::WindowText), QColor(rgb.r, rgb.g, rgb.b));
        }
      }
      QString expected, order;  // the focus chain in the model's tab order
      for (const shell::ControlSpec* spec : shell::TabOrder(window.controls)) {
        expected += shell::FromUtf8(spec->name) + ' ';
      }
      for (QWidget* at = Control("Command1"); order.size() < expected.size();
           at = at->nextInFocusChain()) {
        if (at->focusPolicy() != Qt::NoFocus && !at->objectName().isEmpty()) {
          order += at->objectName() + ' ';
        }
      }
      QCOMPARE(order, expected);
      window_->close();
      QVERIFY(form_->Closed());
    }
  }

  // Real keys, clicks and drops reaching the model: the focus starts on Exit, tabbing into the
  // file list selects nothing, Enter clicks a button, a letter picks a file, the focus comes back
  // after a message box, and a double-click on a caption toggles its box once.
  void eachWidgetsEventsReachTheModel() {
    Open(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), Control("Command1"));
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() == Control("File1") && File1().SelectedIndex() == -1);
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // the first key takes the first entry
    QCOMPARE(File1().SelectedIndex(), 0);
    QTest::keyClick(Control("File1"), Qt::Key_Down);  // a keyboard move selects and draws
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    QTest::keyClick(Control("File1"), Qt::Key_Space, Qt::ControlModifier);  // deselects
    QCOMPARE(File1().SelectedIndex(), -1);
    auto* file1 = Control<QListView>("File1");
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                      file1->visualRect(file1->model()->index(0, 0)).center());
    QVERIFY(BigScreenShows("hello_frame"));  // chosen again: drawn again
    QTest::keyClicks(Control("File1"), "k");
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    Control("Command3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Control("Command3"), Qt::Key_Return);  // Next, round to the first
    QCOMPARE(File1().SelectedIndex(), 0);
    Control("Command3")->clearFocus();
    Control<QPushButton>("Command2")->click();  // About, then the focus where it was
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(QApplication::focusWidget(), Control("Command3"));
    QWidget* caption = Control("Label3");
    QTest::mouseClick(caption, Qt::LeftButton);
    QVERIFY(!Check1().Value() && !Control<QCheckBox>("Check1")->isChecked());
    QTest::mousePress(caption, Qt::LeftButton);  // the rest of a double-click as Qt delivers it
    QTest::mouseDClick(caption, Qt::LeftButton);
    QTest::mouseRelease(caption, Qt::LeftButton);
    QCOMPARE(Check1().Value(), 0);
    Control<QCheckBox>("Check1")->click();
    QCOMPARE(Check1().Value(), 1);
    auto* dir1 = Control<QListWidget>("Dir1");
    dir1->setCurrentRow(dir1->count() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(File1().Path(), folder_.Path() / "sub");
    QCOMPARE(Control<QComboBox>("Drive1")->currentText(), QStringLiteral("/"));
    const auto drop = [target = Control("File1")](const QUrl& url) {  // as a file manager drops
      QMimeData data;
      data.setUrls({url});
      const QPoint at = target->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &enter);
      QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &dropped);
      return enter.isAccepted();
    };
    QVERIFY(!drop(QUrl("https://example.org/a.nsl")));
    QCOMPARE(File1().Path(), folder_.Path() / "sub");
    const QString bird = QString::fromStdString((folder_.Path() / "kestrel_bird.nsl").string());
    QVERIFY(drop(QUrl::fromLocalFile(bird)) && BigScreenShows("kestrel_bird"));
    QCOMPARE(form_->CurrentFile(), folder_.Path() / "kestrel_bird.nsl");
    Control<QPushButton>("Command1")->click();
    QVERIFY(!window_->isVisible() && form_->Closed());
    Open(false);
    window_->show();
    form_->ControlNamed<shell::Timer>("Timer1").SetEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible() && form_->Closed(), 5000);
    messages_.shown.clear();
  }
};

QTEST_MAIN(WindowLayerTest)
#include "window_layer_test.moc"
