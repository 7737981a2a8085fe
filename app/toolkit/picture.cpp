#include "app/toolkit/picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

namespace {
const QColor kRuleDark(160, 160, 160);
const QColor kRuleLight(255, 255, 255);
}  // namespace

QImage ToQImage(const Image& image) {
  if (image.IsNull()) return QImage();
  // Both hold each pixel as one 0xAARRGGBB word, row by row from the top.
  return QImage(reinterpret_cast<const uchar*>(image.Pixels().data()), image.Width(), image.Height(),
                image.Width() * 4, QImage::Format_ARGB32)
      .copy();
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
