#include "app/toolkit/borderless_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "app/application_title.h"
#include "app/toolkit/fonts.h"

namespace app {

namespace {
constexpr int kDefaultFontPoints = 8;
}  // namespace

BorderlessWindow::BorderlessWindow(int width, int height, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setFixedSize(width, height);
  setWindowTitle(kApplicationTitle);
  setFont(SansFont(kDefaultFontPoints));
  setMouseTracking(true);
}

void BorderlessWindow::SetColor(BgrColor color) {
  color_ = color;
  update();
}

void BorderlessWindow::PlaceInScreenCentre() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void BorderlessWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !event->spontaneous()) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  // On X11 Qt keeps its own record of the native window as minimised, and
  // the window's hints asking the window manager to map it minimised, when
  // the window manager restores it; setting the state through the native
  // window clears both.
  if (change->oldState().testFlag(Qt::WindowMinimized) && !isMinimized() && windowHandle() != nullptr) {
    windowHandle()->setWindowStates(windowState());
  }
}

void BorderlessWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(color_));
}

}  // namespace app
