#include "app/toolkit/borderless_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
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
  if (change->oldState().testFlag(Qt::WindowMinimized) && !isMinimized()) restored_by_window_system_ = true;
}

void BorderlessWindow::setVisible(bool visible) {
  // Qt keeps the native window's hints at "start minimised" when the window
  // manager restores it (it does not set them itself), and maps the window
  // with them the next time it is shown. A native window made afresh starts
  // normal; the widget keeps its place, size and content.
  if (visible && restored_by_window_system_ && isHidden() && testAttribute(Qt::WA_WState_Created)) {
    destroy();
  }
  if (visible) restored_by_window_system_ = false;
  QWidget::setVisible(visible);
}

void BorderlessWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(color_));
}

}  // namespace app
