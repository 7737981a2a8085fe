#include "app/toolkit/splitter.h"

#include <QEvent>

namespace app {

Splitter::Splitter(Qt::Orientation orientation, int handle_width, int minimum, QWidget* parent)
    : QSplitter(orientation, parent), minimum_(minimum) {
  setHandleWidth(handle_width);
  setChildrenCollapsible(false);
  setOpaqueResize(true);
  connect(this, &QSplitter::splitterMoved, this, [this] { emit Moved(); });
}

void Splitter::AddPane(QWidget* pane) {
  if (orientation() == Qt::Vertical) {
    pane->setMinimumHeight(minimum_);
  } else {
    pane->setMinimumWidth(minimum_);
  }
  addWidget(pane);
  if (count() == 2) handle(1)->installEventFilter(this);
}

void Splitter::SetColor(BgrColor color) {
  const QColor c = ToQColor(color);
  setStyleSheet(QString("QSplitter::handle { background-color: %1; }").arg(c.name()));
}

void Splitter::MoveHandleTo(int position) {
  moveSplitter(position, 1);
  emit Moved();
}

bool Splitter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) emit Moved();
  return QSplitter::eventFilter(watched, event);
}

}  // namespace app
