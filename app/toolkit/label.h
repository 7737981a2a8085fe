#pragma once

#include <QLabel>

#include "app/toolkit/colors.h"

namespace app {

// A text label: transparent, no wrapping unless asked, with the click,
// mouse-press and mouse-move events the windows' handlers need.
class Label : public QLabel {
  Q_OBJECT

 public:
  Label(const QString& text, QWidget* parent);

  // Sets the text colour (0x00BBGGRR).
  void SetFontColor(BgrColor color);
  // The text colour (0x00BBGGRR).
  BgrColor FontColor() const { return font_color_; }

 signals:
  void Click();
  void MouseDown(Qt::MouseButton button);
  void MouseMove();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  BgrColor font_color_ = kBlack;
  bool pressed_ = false;
};

// Static text: a label that wraps its text inside its box.
class StaticText : public Label {
  Q_OBJECT

 public:
  StaticText(const QString& text, QWidget* parent);
};

}  // namespace app
