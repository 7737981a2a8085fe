#include "toolkit/qt/peer.h"

#include <QEvent>
#include <QMouseEvent>

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

}  // namespace app::qt
