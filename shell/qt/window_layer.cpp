#include "shell/qt/window_layer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "shell/qt/browser_views.h"
#include "shell/qt/clickable_label.h"
#include "shell/qt/display.h"
#include "shell/qt/surface_view.h"

namespace shell {

namespace {

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
  auto* button = new QPushButton(parent);
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
  auto* label = new ClickableLabel(parent);
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
  QObject::connect(label, &ClickableLabel::clicked, label, [&model] { model.Click(); });
  return label;
}

QTimer* MakeTimer(Timer& model, QWidget* parent) {
  auto* timer = new QTimer(parent);
  timer->setInterval(model.Interval());
  timer->setTimerType(Qt::PreciseTimer);  // the interval is kept to the millisecond
  model.SetView([timer, &model] {
    if (!model.Enabled()) {
      timer->stop();
    } else if (!timer->isActive()) {
      timer->start();
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
  form_.Canvas().SetPreviewForeground(ToRgb(palette().color(QPalette::WindowText)));

  for (const ControlSpec& spec : window.controls) {
    QObject* made = Make(spec);
    made->setObjectName(FromUtf8(spec.name));
    if (auto* widget = qobject_cast<QWidget*>(made)) {
      widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
    }
    if (Control* control = form_.ControlNamed(spec.name)) {
      bound_.push_back(control);
    }
  }
  SetTabOrder();
  form_.OnClose([this] { close(); });

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QtWindow::~QtWindow() {
  form_.OnClose({});
  for (Control* control : bound_) {
    control->SetView({});
  }
}

QObject* QtWindow::Make(const ControlSpec& spec) {
  Control* control = form_.ControlNamed(spec.name);
  switch (spec.kind) {
    case ControlKind::BigScreen:
      return new SurfaceView(form_.Canvas().BigScreen(), SurfaceView::Border::Sunken2px, this);
    case ControlKind::Preview:
      return new SurfaceView(*form_.Canvas().PreviewSurface(), SurfaceView::Border::Flat1px, this);
    case ControlKind::FileList:
      return new FileListView(static_cast<FileList&>(*control), this);
    case ControlKind::DriveList:
      return new DriveListView(static_cast<DriveList&>(*control), this);
    case ControlKind::FolderList:
      return new FolderListView(static_cast<FolderList&>(*control), this);
    case ControlKind::PictureButton:
    case ControlKind::TextButton:
      return MakeButton(static_cast<Button&>(*control), this);
    case ControlKind::CheckBox:
      return MakeCheckBox(static_cast<CheckBox&>(*control), this);
    case ControlKind::Label:
      return MakeLabel(static_cast<Label&>(*control), this);
    case ControlKind::Image: {
      auto* image = new QLabel(this);
      const QIcon decoration(
          Artwork(form_.Window().program, form_.Window().program, "-decoration.jpg"));
      image->setPixmap(decoration.pixmap(QSize(spec.width, spec.height)));
      return image;
    }
    case ControlKind::Timer:
      break;
  }
  return MakeTimer(static_cast<Timer&>(*control), this);
}

void QtWindow::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const ControlSpec& spec : form_.Window().controls) {
    const bool takes_focus = spec.tab >= 0 && spec.kind != ControlKind::Label &&
                             spec.kind != ControlKind::Image && spec.kind != ControlKind::Timer;
    if (takes_focus) {
      auto* widget = findChild<QWidget*>(FromUtf8(spec.name), Qt::FindDirectChildrenOnly);
      if (spec.kind == ControlKind::BigScreen || spec.kind == ControlKind::Preview) {
        widget->setFocusPolicy(Qt::TabFocus);
      }
      order.emplace_back(spec.tab, widget);
    }
  }
  std::ranges::sort(order);
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1].second, order[i].second);
  }
}

void QtWindow::closeEvent(QCloseEvent* event) {
  form_.Close();
  event->accept();
}

}  // namespace shell
