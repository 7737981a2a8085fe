#include "app/toolkit/speed_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "app/toolkit/picture.h"

namespace app {

namespace {
const QColor kEdgeLight(255, 255, 255);
const QColor kEdgeDark(128, 128, 128);
}  // namespace

SpeedButton::SpeedButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
  setText(caption);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void SpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}

void SpeedButton::SetPicture(const Image& picture, int picture_top, int caption_top) {
  picture_ = QPixmap::fromImage(ToQImage(picture));
  picture_top_ = picture_top;
  caption_top_ = caption_top;
  update();
}

void SpeedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool down = isDown();
  if (!flat_) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
  } else if (hot_ || down) {
    // The thin edge of a flat button under the pointer: raised, or sunk while pressed.
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(down ? kEdgeDark : kEdgeLight);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(down ? kEdgeLight : kEdgeDark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
  const int shift = down ? 1 : 0;
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.setFont(font());
  if (picture_.isNull()) {
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
    return;
  }
  const int x = (width() - picture_.width()) / 2;
  painter.drawPixmap(x + shift, picture_top_ + shift, picture_);
  const QRect caption(0, caption_top_, width(), height() - caption_top_);
  painter.drawText(caption.translated(shift, shift), Qt::AlignHCenter | Qt::AlignTop, text());
}

void SpeedButton::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  QAbstractButton::mousePressEvent(event);
}

void SpeedButton::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  QAbstractButton::mouseMoveEvent(event);
}

void SpeedButton::enterEvent(QEnterEvent* event) {
  hot_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void SpeedButton::leaveEvent(QEvent* event) {
  hot_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace app
