#include "shell/qt/window_layer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPixmap>
#include <QUrl>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "shell/qt/browser_views.h"
#include "shell/qt/clickable_label.h"
#include "shell/qt/display.h"
#include "shell/qt/surface_view.h"

namespace shell {

namespace {

// The first local file or folder of a drag, as the system names it; none for anything else.
std::optional<std::filesystem::path> DroppedPath(const QMimeData* data) {
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) {
      return std::filesystem::path(QFile::encodeName(url.toLocalFile()).toStdString());
    }
  }
  return std::nullopt;
}

QString Artwork(std::string_view program, std::string_view name, const char* suffix) {
  return QStringLiteral(":/%1/%2%3").arg(FromUtf8(program), FromUtf8(name), QLatin1String(suffix));
}

QFont FontOf(FontKind kind, const QFont& window_font) {
  switch (kind) {
    case FontKind::Bold975:
      return BoldFont(9.75);
    case FontKind::Bold825:
      return BoldFont(8.25);
    case FontKind::Window:
      break;
  }
  return window_font;
}

QPushButton* MakeButton(Button& model, QWidget* parent) {
  auto* button = new EnterButton(model, parent);
  button->setAutoDefault(false);
  const ControlSpec& spec = model.Spec();
  if (spec.kind == ControlKind::PictureButton) {
    button->setIcon(QIcon(Artwork("shell", spec.picture, ".png")));
    button->setIconSize(QSize(spec.picture_size, spec.picture_size));
    button->setToolTip(FromUtf8(spec.tooltip));
  }
  const auto show = [button, &model] {
    button->setText(FromUtf8(model.Caption()));
    button->setEnabled(model.Enabled());
  };
  model.SetView(show);
  show();
  QObject::connect(button, &QPushButton::clicked, button, [&model] { model.Click(); });
  return button;
}

QCheckBox* MakeCheckBox(CheckBox& model, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  const auto show = [box, &model] {
    const QSignalBlocker quiet(box);
    box->setChecked(model.Value() == 1);
  };
  model.SetView(show);
  show();
  QObject::connect(box, &QCheckBox::clicked, box, [&model] { model.Toggle(); });
  return box;
}

ClickableLabel* MakeLabel(Label& model, QWidget* parent) {
  const ControlSpec& spec = model.Spec();
  auto* label = new ClickableLabel(model, parent);
  label->setFont(FontOf(spec.font, parent->font()));
  label->setAlignment((spec.align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                      Qt::AlignTop);
  if (spec.text_colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(spec.text_colour->r, spec.text_colour->g, spec.text_colour->b));
    label->setPalette(palette);
  }
  label->setGeometry(spec.left, spec.top, spec.width, spec.height);  // the caption fits it
  const auto show = [label, &model] { SetCaption(label, FromUtf8(model.Caption())); };
  model.SetView(show);
  show();
  return label;
}

QTimer* MakeTimer(Timer& model, QWidget* parent) {
  auto* timer = new QTimer(parent);
  timer->setInterval(model.Interval());
  timer->setTimerType(Qt::PreciseTimer);  // the interval is kept to the millisecond
  model.SetView([timer, &model] {
    if (model.Enabled()) {
      timer->start();
    } else {
      timer->stop();
    }
  });
  QObject::connect(timer, &QTimer::timeout, timer, [&model] { model.Tick(); });
  return timer;
}

}  // namespace

QtWindow::QtWindow(ViewerForm& form) : form_(form) {
  const WindowSpec& window = form.Window();
  setWindowTitle(FromUtf8(window.title));
  setWindowIcon(QIcon(Artwork(window.program, window.program, "-icon.png")));
  setFont(WindowFont());
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (window.minimize_button) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  setWindowFlags(flags);
  setFixedSize(window.client_width, window.client_height);
  setAcceptDrops(true);
  form_.Canvas().SetPreviewForeground(ToRgb(palette().color(QPalette::WindowText)));

  for (const ControlSpec& spec : window.controls) {
    QObject* made = Make(spec);
    made->setObjectName(FromUtf8(spec.name));
    if (auto* widget = qobject_cast<QWidget*>(made)) {
      widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
    }
    if (Control* control = AsControl(form_.ControlFor(spec))) {
      bound_.push_back(control);
    }
  }
  SetTabOrder();
  form_.OnClose([this] { close(); });
  Focus& focus = form_.KeyboardFocus();
  focus.SetView([this, &focus] {
    if (auto* widget = findChild<QWidget*>(FromUtf8(focus.Control()), Qt::FindDirectChildrenOnly)) {
      widget->setFocus(Qt::OtherFocusReason);
    }
  });
  connect(qApp, &QApplication::focusChanged, this, [this, &focus](QWidget*, QWidget* now) {
    while (now && now->parentWidget() != this) {
      now = now->parentWidget();
    }
    if (now) {
      focus.MovedTo(now->objectName().toStdString());
    }
  });

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QtWindow::~QtWindow() {
  form_.OnClose({});
  form_.KeyboardFocus().SetView({});
  for (Control* control : bound_) {
    control->SetView({});
  }
}

QObject* QtWindow::Make(const ControlSpec& spec) {
  const ControlRef control = form_.ControlFor(spec);
  switch (spec.kind) {
    case ControlKind::BigScreen:
      return new SurfaceView(form_.Canvas().BigScreen(), SurfaceView::Border::Sunken2px, this);
    case ControlKind::Preview:
      return new SurfaceView(*form_.Canvas().PreviewSurface(), SurfaceView::Border::Flat1px, this);
    case ControlKind::FileList:
      return new FileListView(*std::get<FileList*>(control), this);
    case ControlKind::DriveList:
      return new DriveListView(*std::get<DriveList*>(control), this);
    case ControlKind::FolderList:
      return new FolderListView(*std::get<FolderList*>(control), this);
    case ControlKind::PictureButton:
    case ControlKind::TextButton:
      return MakeButton(*std::get<TextControl*>(control), this);
    case ControlKind::CheckBox:
      return MakeCheckBox(*std::get<CheckBox*>(control), this);
    case ControlKind::Label:
      return MakeLabel(*std::get<TextControl*>(control), this);
    case ControlKind::Image: {
      // The larger rendering, smoothed down to the screen's pixels at any scale: the smaller one
      // would come out blocky when enlarged to a fractional scale.
      auto* image = new QLabel(this);
      image->setPixmap(
          QPixmap(Artwork(form_.Window().program, form_.Window().program, "-decoration@2x.jpg")));
      image->setScaledContents(true);
      return image;
    }
    case ControlKind::Timer:
      break;
  }
  return MakeTimer(*std::get<Timer*>(control), this);
}

void QtWindow::SetTabOrder() {
  std::vector<QWidget*> order;
  for (const ControlSpec* spec : TabOrder(form_.Window().controls)) {
    auto* widget = findChild<QWidget*>(FromUtf8(spec->name), Qt::FindDirectChildrenOnly);
    if (spec->kind == ControlKind::BigScreen || spec->kind == ControlKind::Preview) {
      widget->setFocusPolicy(Qt::TabFocus);
    }
    order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

bool QtWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    form_.KeyboardFocus().GiveBack();
  }
  return QWidget::event(event);
}

void QtWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedPath(event->mimeData())) {
    event->acceptProposedAction();
  }
}

void QtWindow::dropEvent(QDropEvent* event) {
  if (const std::optional<std::filesystem::path> dropped = DroppedPath(event->mimeData())) {
    event->acceptProposedAction();
    form_.Dropped(*dropped);
  }
}

void QtWindow::closeEvent(QCloseEvent* event) {
  form_.Close();
  event->accept();
}

}  // namespace shell
