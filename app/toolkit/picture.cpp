#include "app/toolkit/picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

namespace {
const QColor kRuleDark(160, 160, 160);
const QColor kRuleLight(255, 255, 255);
}  // namespace

QImage ToQImage(const Image& image) {
  QImage out(image.Width(), image.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < image.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < image.Width(); ++x) row[x] = image.Pixel(x, y);
  }
  return out;
}

Picture::Picture(const Image& image, QWidget* parent)
    : QWidget(parent), pixmap_(QPixmap::fromImage(ToQImage(image))) {
  setMouseTracking(true);
}

void Picture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), pixmap_);
}

void Picture::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  event->accept();
}

BevelLine::BevelLine(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BevelLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (orientation_ == Qt::Horizontal) {
    painter.setPen(kRuleDark);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(kRuleLight);
    painter.drawLine(0, 1, width() - 1, 1);
  } else {
    painter.setPen(kRuleDark);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(kRuleLight);
    painter.drawLine(1, 0, 1, height() - 1);
  }
}

}  // namespace app
