#include "app/toolkit/qt/qt_windows.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/toolkit/qt/qt_canvas.h"
#include "platform/qt/pointer_drag.h"

namespace app::qt {

QWidget* WidgetOf(const NativeWindow& window) {
  const auto* owner = dynamic_cast<const QtWidgetOwner*>(&window);
  return owner != nullptr ? owner->Widget() : nullptr;
}

void MouseReporter::Watch(QWidget* part, QWidget* frame) {
  frame_ = frame;
  part->setMouseTracking(true);
  part->installEventFilter(this);
}

bool MouseReporter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    auto* part = static_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const Point at = ToPoint(part->mapTo(frame_, mouse->position().toPoint()));
    MouseButton button;
    if (type == QEvent::MouseMove) {
      events_.NativeMouseMove(at);
    } else if (ButtonOf(mouse->button(), button)) {
      events_.NativeMouseDown(at, button);
    }
  } else if (type == QEvent::MouseButtonRelease) {
    auto* part = static_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    MouseButton button;
    if (ButtonOf(mouse->button(), button)) {
      events_.NativeMouseUp(ToPoint(part->mapTo(frame_, mouse->position().toPoint())), button);
    }
  }
  return QObject::eventFilter(watched, event);
}

PaintedWidget::PaintedWidget(NativeEvents& events, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), events_(events) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

void PaintedWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QtCanvas canvas(painter, *this);
  events_.NativePaint(canvas, ToRect(event->rect()));
}

void PaintedWidget::mousePressEvent(QMouseEvent* event) {
  MouseButton button;
  if (ButtonOf(event->button(), button)) events_.NativeMouseDown(ToPoint(event->position().toPoint()), button);
  event->accept();
}

void PaintedWidget::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void PaintedWidget::mouseReleaseEvent(QMouseEvent* event) {
  MouseButton button;
  if (ButtonOf(event->button(), button)) events_.NativeMouseUp(ToPoint(event->position().toPoint()), button);
  event->accept();
}

void PaintedWidget::mouseMoveEvent(QMouseEvent* event) {
  events_.NativeMouseMove(ToPoint(event->position().toPoint()));
  event->accept();
}

void PaintedWidget::leaveEvent(QEvent* event) {
  events_.NativeMouseLeave();
  QWidget::leaveEvent(event);
}

void PaintedWidget::keyPressEvent(QKeyEvent* event) {
  // The toolkit hands the key on to the controls beneath itself.
  events_.NativeKey(KeyOf(*event));
  event->accept();
}

void PaintedWidget::closeEvent(QCloseEvent* event) {
  // The toolkit decides: it hides the window (or not) itself.
  event->ignore();
  events_.NativeCloseRequest();
}

void PaintedWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && isWindow() && !isMinimized()) {
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) != 0) {
      if (event->spontaneous() && on_restored_by_window_system) on_restored_by_window_system();
      events_.NativeRestored();
    }
  }
  QWidget::changeEvent(event);
}

QtPaintedWindow::QtPaintedWindow(NativeEvents& events, QWidget* parent)
    : QtPeer<NativeWindow>(new PaintedWidget(events, parent)) {}

QtTopLevel::QtTopLevel(NativeEvents& events, Size client, platform::PointerDrag& drag)
    : QtPeer<NativeTopLevel>(new PaintedWidget(events, nullptr, Qt::Window | Qt::FramelessWindowHint)),
      drag_(drag) {
  widget_->setFixedSize(client.width, client.height);
  widget_->setFont(ToQFont(kDefaultFont));
  static_cast<PaintedWidget*>(widget_.data())->on_restored_by_window_system = [this] {
    restored_by_window_system_ = true;
  };
}

void QtTopLevel::SetBounds(const Rect& bounds) {
  widget_->move(bounds.left, bounds.top);
  widget_->setFixedSize(bounds.width, bounds.height);
}

void QtTopLevel::SetVisible(bool visible) {
  if (!visible) {
    widget_->hide();
    return;
  }
  // Qt keeps the native window's hints at "start minimised" when the window
  // manager restores it (it does not set them itself), and maps the window
  // with them the next time it is shown. A native window made afresh starts
  // normal; the widget keeps its place, size and content.
  if (restored_by_window_system_ && widget_->isHidden() && widget_->testAttribute(Qt::WA_WState_Created)) {
    static_cast<PaintedWidget*>(widget_.data())->DropNativeWindow();
  }
  restored_by_window_system_ = false;
  widget_->show();
}

void QtTopLevel::SetTitle(const std::string& title) { widget_->setWindowTitle(ToQString(title)); }

Point QtTopLevel::ScreenPosition() const { return ToPoint(widget_->pos()); }

void QtTopLevel::StartSystemMove() {
  QWindow* handle = widget_->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  // Where the window system refuses (the offscreen platform, some X11
  // window managers) the window follows the pointer by itself.
  drag_.Start(widget_.data());
}

bool QtTopLevel::IsMinimised() const { return widget_->isMinimized(); }

void QtTopLevel::Restore() {
  widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtTopLevel::Minimise() { widget_->showMinimized(); }

void QtTopLevel::SetModal(bool modal) {
  // Qt takes the modality when the window is shown.
  widget_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
}

void QtTopLevel::RunModal() {
  if (loop_ != nullptr) return;
  widget_->activateWindow();
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void QtTopLevel::EndModal() {
  if (loop_ != nullptr) loop_->quit();
}

}  // namespace app::qt
