#include "app/toolkit/label.h"

#include <QMouseEvent>

namespace app {

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_TranslucentBackground);
  setTextFormat(Qt::PlainText);
  SetFontColor(kBlack);
}

void Label::SetFontColor(BgrColor color) {
  font_color_ = color;
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, ToQColor(color));
  setPalette(palette);
}

void Label::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  emit MouseDown(event->button());
  event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a left press and release over the same label.
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit Click();
}

void Label::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  event->accept();
}

StaticText::StaticText(const QString& text, QWidget* parent) : Label(text, parent) {
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace app
