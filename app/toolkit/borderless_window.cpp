#include "app/toolkit/borderless_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

void BorderlessWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(color_));
}

}  // namespace app
