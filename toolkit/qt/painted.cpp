#include "toolkit/qt/painted.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QFocusEvent>
#include <QMetaObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "toolkit/qt/canvas.h"

namespace app::qt {

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

void PaintedWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  FocusReason reason = FocusReason::kOther;
  if (event->reason() == Qt::TabFocusReason) reason = FocusReason::kTabForward;
  if (event->reason() == Qt::BacktabFocusReason) reason = FocusReason::kTabBackward;
  if (events_.NativeFocusIn(reason)) return;
  // Nothing to focus here (its buttons are all hidden): on to the next.
  const bool next = reason != FocusReason::kTabBackward;
  QMetaObject::invokeMethod(
      this, [this, next] { if (hasFocus()) QWidget::focusNextPrevChild(next); }, Qt::QueuedConnection);
}

void PaintedWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  events_.NativeFocusOut();
}

bool PaintedWidget::focusNextPrevChild(bool next) {
  // Tab from this widget or any inside it: the toolkit's walk of the window.
  if (events_.NativeTab(next)) return true;
  return QWidget::focusNextPrevChild(next);
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

namespace {

// The local paths of a drag, byte for byte (a name need not be UTF-8, and
// the link keeps its bytes percent-encoded); empty unless every item is a
// local file or folder.
std::vector<std::string> LocalPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
  }
  return paths;
}

}  // namespace

void PaintedWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void PaintedWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void PaintedWidget::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalPaths(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  events_.NativeFilesDropped(paths);
}

PaintedPeer::PaintedPeer(NativeEvents& events, QWidget* parent)
    : Peer<NativeWindow>(new PaintedWidget(events, parent)) {}

}  // namespace app::qt
