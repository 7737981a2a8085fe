#include "app/toolkit/scroll_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

namespace {
const QColor kFlatEdge(160, 160, 160);
const QColor kEdgeLight(255, 255, 255);
const QColor kEdgeDark(128, 128, 128);

void DrawEdge(QPainter& painter, const QRect& r, const QColor& top_left, const QColor& bottom_right) {
  painter.setPen(top_left);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottom_right);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}
}  // namespace

ScrollBox::ScrollBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScrollBox::SetColor(BgrColor color) {
  color_ = color;
  update();
}

void ScrollBox::SetBevel(Bevel bevel) {
  bevel_ = bevel;
  update();
}

void ScrollBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(color_));
  const QRect r = rect().adjusted(0, 0, -1, -1);
  switch (bevel_) {
    case Bevel::kNone:
      break;
    case Bevel::kFlat:
      painter.setPen(kFlatEdge);
      painter.drawRect(r);
      break;
    case Bevel::kLowered:
      DrawEdge(painter, r, kEdgeDark, kEdgeLight);
      break;
    case Bevel::kTiled:
      DrawEdge(painter, r, kEdgeLight, kEdgeDark);
      break;
  }
}

void ScrollBox::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  event->accept();
}

void ScrollBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
}

void ScrollBox::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  event->accept();
}

}  // namespace app
