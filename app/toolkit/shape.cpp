#include "app/toolkit/shape.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

namespace {
constexpr qreal kCornerRadius = 4.0;
}  // namespace

Shape::Shape(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
  setMouseTracking(true);
  setAttribute(Qt::WA_TranslucentBackground);
}

void Shape::SetFill(BgrColor color) {
  fill_ = color;
  update();
}

void Shape::SetOutline(BgrColor color) {
  outline_ = color;
  update();
}

void Shape::SetOutlineOnly(bool outline_only) {
  outline_only_ = outline_only;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(ToQColor(outline_));
  if (outline_only_) {
    painter.setBrush(Qt::NoBrush);
  } else {
    painter.setBrush(ToQColor(fill_));
  }
  const QRect r = rect().adjusted(0, 0, -1, -1);
  if (kind_ == Kind::kRoundSquare) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
  } else {
    painter.drawRect(r);
  }
}

void Shape::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  event->ignore();
}

}  // namespace app
