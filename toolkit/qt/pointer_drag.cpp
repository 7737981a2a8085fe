#include "toolkit/qt/pointer_drag.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace app::qt {

PointerDrag::~PointerDrag() { Stop(); }

void PointerDrag::Start(QWidget* window) {
  Stop();
  if (window == nullptr) return;
  window_ = window->window();
  pointer_start_ = QCursor::pos();
  window_start_ = window_->pos();
  QCoreApplication::instance()->installEventFilter(this);
}

void PointerDrag::Stop() {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    application->removeEventFilter(this);
  }
  window_.clear();
}

bool PointerDrag::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
    return QObject::eventFilter(watched, event);
  }
  if (window_.isNull()) {
    Stop();
    return false;
  }
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  // A move without any button down means the release went elsewhere (another
  // program took the pointer): the window stays where it was.
  if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
    Stop();
    return false;
  }
  // The window system hands each mouse event to the window first and to the
  // widget after it, so every position is seen twice: the window is placed
  // from where the drag began, never moved by a step, which keeps that
  // harmless.
  window_->move(window_start_ + mouse->globalPosition().toPoint() - pointer_start_);
  if (type == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton) Stop();
  return false;
}

}  // namespace app::qt
