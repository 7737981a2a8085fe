#include "toolkit/qt/test_driver.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <cstdlib>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "toolkit/qt/convert.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

namespace {

Qt::MouseButton QtButton(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return Qt::LeftButton;
    case MouseButton::kRight:
      return Qt::RightButton;
    case MouseButton::kMiddle:
      break;
  }
  return Qt::MiddleButton;
}

int QtKey(Key key) {
  switch (key) {
    case Key::kTab:
    case Key::kNextPage:
      return Qt::Key_Tab;
    case Key::kBackTab:
    case Key::kPreviousPage:
      return Qt::Key_Backtab;
    case Key::kEnter:
      return Qt::Key_Return;
    case Key::kEscape:
      return Qt::Key_Escape;
    case Key::kBackspace:
      return Qt::Key_Backspace;
    case Key::kF2:
      return Qt::Key_F2;
    case Key::kF5:
      return Qt::Key_F5;
    case Key::kSpace:
      return Qt::Key_Space;
    case Key::kUp:
      return Qt::Key_Up;
    case Key::kDown:
      return Qt::Key_Down;
    case Key::kLeft:
      return Qt::Key_Left;
    case Key::kRight:
      return Qt::Key_Right;
    case Key::kOther:
      break;
  }
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiers(Key key) {
  switch (key) {
    case Key::kBackTab: return Qt::ShiftModifier;
    case Key::kNextPage: return Qt::ControlModifier;
    case Key::kPreviousPage: return Qt::ControlModifier | Qt::ShiftModifier;
    default: return Qt::NoModifier;
  }
}

QWidget* TopOf(BorderlessWindow& window) { return WidgetOf(window.TopNative()); }

}  // namespace

void QtTestDriver::DropFiles(BorderlessWindow& window, Point at, const std::vector<std::string>& paths) {
  QList<QUrl> urls;
  // A file manager's links: the path's bytes percent-encoded, as they are.
  for (const std::string& path : paths) {
    urls << QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
  }
  QMimeData data;
  data.setUrls(urls);
  QPoint local;
  QWidget* target = Target(window, at, local);
  // Qt hands each event on to the nearest widget that takes drops.
  QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (enter.isAccepted()) {
    QDropEvent drop(QPointF(local), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }
  ProcessEvents();
}

void QtTestDriver::ProcessEvents() {
  QApplication::processEvents();
  QApplication::sendPostedEvents();
  QApplication::processEvents();
}

QWidget* QtTestDriver::Target(BorderlessWindow& window, Point at, QPoint& local) {
  QWidget* top = TopOf(window);
  const QPoint point = ToQPoint(at);
  QWidget* target = top->childAt(point);
  if (target == nullptr) target = top;
  local = target->mapFrom(top, point);
  return target;
}

void QtTestDriver::Hover(QWidget* now, const QPoint& local) {
  if (now == under_) return;
  if (QWidget* before = under_.data()) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(before, &leave);
  }
  under_ = now;
  QEnterEvent enter(local, now->mapToGlobal(local), now->mapToGlobal(local));
  QApplication::sendEvent(now, &enter);
}

void QtTestDriver::SendMouse(BorderlessWindow& window, Point at, int type, Qt::MouseButton button) {
  QPoint local;
  QWidget* target = Target(window, at, local);
  // While a button is held the widget that took the press gets everything.
  if (grabbed_ != nullptr && held_ != Qt::NoButton) {
    target = grabbed_.data();
    local = target->mapFrom(TopOf(window), ToQPoint(at));
  } else if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress) {
    Hover(target, local);
  }
  const auto event_type = static_cast<QEvent::Type>(type);
  if (event_type == QEvent::MouseButtonPress || event_type == QEvent::MouseButtonDblClick) {
    held_ |= button;
    grabbed_ = target;
  } else if (event_type == QEvent::MouseButtonRelease) {
    held_ &= ~Qt::MouseButtons(button);
  }
  QMouseEvent event(event_type, QPointF(local), QPointF(target->mapToGlobal(local)), button, held_,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
  if (held_ == Qt::NoButton) grabbed_.clear();
  ProcessEvents();
}

void QtTestDriver::MouseMove(BorderlessWindow& window, Point at) {
  SendMouse(window, at, QEvent::MouseMove, Qt::NoButton);
}

void QtTestDriver::MousePress(BorderlessWindow& window, Point at, MouseButton button) {
  SendMouse(window, at, QEvent::MouseButtonPress, QtButton(button));
}

void QtTestDriver::MouseRelease(BorderlessWindow& window, Point at, MouseButton button) {
  SendMouse(window, at, QEvent::MouseButtonRelease, QtButton(button));
}

void QtTestDriver::DoubleClick(BorderlessWindow& window, Point at) {
  SendMouse(window, at, QEvent::MouseButtonPress, Qt::LeftButton);
  SendMouse(window, at, QEvent::MouseButtonRelease, Qt::LeftButton);
  SendMouse(window, at, QEvent::MouseButtonDblClick, Qt::LeftButton);
  SendMouse(window, at, QEvent::MouseButtonRelease, Qt::LeftButton);
}

void QtTestDriver::KeyPress(BorderlessWindow& window, Key key) {
  QWidget* top = TopOf(window);
  QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
  QKeyEvent press(QEvent::KeyPress, QtKey(key), QtModifiers(key));
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, QtKey(key), QtModifiers(key));
  QApplication::sendEvent(target, &release);
  ProcessEvents();
}

void QtTestDriver::TypeText(BorderlessWindow& window, const std::string& text) {
  QWidget* top = TopOf(window);
  QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, ToQString(text));
  QApplication::sendEvent(target, &press);
  ProcessEvents();
}

Image QtTestDriver::Grab(BorderlessWindow& window) {
  ProcessEvents();
  return ToImage(TopOf(window)->grab().toImage());
}

void QtTestDriver::UseDarkSystemColours(bool dark) {
  static const QPalette started = QApplication::palette();
  if (!dark) {
    QApplication::setPalette(started);
    return;
  }
  const QColor face(0x35, 0x35, 0x35);
  QPalette palette(face, QColor(0x2a, 0x2a, 0x2a));
  for (QPalette::ColorRole text : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text}) {
    palette.setColor(text, Qt::white);
  }
  QApplication::setPalette(palette);
}

void QtTestDriver::UseHighContrast(bool high) {
  if (high) {
    ::setenv("GTK_THEME", "HighContrastInverse", 1);
  } else {
    ::unsetenv("GTK_THEME");
  }
}

bool QtTestDriver::BusyPointerShown() {
  const QCursor* shown = QGuiApplication::overrideCursor();
  return shown != nullptr && shown->shape() == Qt::WaitCursor;
}

}  // namespace app::qt

namespace app {

TestDriver& CurrentTestDriver() {
  static qt::QtTestDriver driver;
  return driver;
}

}  // namespace app
