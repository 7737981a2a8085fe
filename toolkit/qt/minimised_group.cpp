#include "toolkit/qt/minimised_group.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace app::qt {

namespace {

// Only windows of the program's own making take part; transient popups,
// tool tips and the like close or vanish on their own.
bool TakesPart(const QWidget* widget) {
  const Qt::WindowType type = widget->windowType();
  return widget->isVisible() && (type == Qt::Window || type == Qt::Dialog);
}

}  // namespace

MinimisedGroup::~MinimisedGroup() { Forget(); }

void MinimisedGroup::MinimiseAll() {
  Forget();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (TakesPart(widget)) members_.emplace_back(widget);
  }
  for (const QPointer<QWidget>& member : members_) member->showMinimized();
  // Watching starts only now, so that the minimising itself is not taken
  // for a window coming back.
  for (const QPointer<QWidget>& member : members_) member->installEventFilter(this);
}

bool MinimisedGroup::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::WindowStateChange || type == QEvent::Show) {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    // On some window systems the window is mapped again before its state
    // says so; the state change that follows is the one that counts.
    if (widget != nullptr && !widget->isMinimized()) RestoreOthers(widget);
  }
  return QObject::eventFilter(watched, event);
}

void MinimisedGroup::RestoreOthers(const QWidget* restored) {
  std::vector<QPointer<QWidget>> others;
  others.swap(members_);
  for (const QPointer<QWidget>& member : others) {
    if (!member.isNull()) member->removeEventFilter(this);
  }
  for (const QPointer<QWidget>& member : others) {
    // A window that the program hid meanwhile stays hidden.
    if (member.isNull() || member == restored || member->isHidden()) continue;
    if (member->isMinimized()) {
      member->setWindowState(member->windowState() & ~Qt::WindowMinimized);
    }
    member->show();
  }
}

void MinimisedGroup::Forget() {
  for (const QPointer<QWidget>& member : members_) {
    if (!member.isNull()) member->removeEventFilter(this);
  }
  members_.clear();
}

}  // namespace app::qt
