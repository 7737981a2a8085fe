#pragma once

#include <QWidget>

#include "app/toolkit/colors.h"

namespace app {

// The edge a panel draws around itself.
enum class Bevel {
  kNone,     // no edge
  kFlat,     // a one-pixel grey line
  kLowered,  // a sunken edge, dark above and left
  kTiled,    // a raised edge, light above and left (the drop-down menu panels)
};

// A panel with a colour and a bevel; children are placed on it at fixed
// positions. Reports presses and pointer movement over its own background.
class ScrollBox : public QWidget {
  Q_OBJECT

 public:
  explicit ScrollBox(QWidget* parent);

  void SetColor(BgrColor color);
  BgrColor Color() const { return color_; }
  void SetBevel(Bevel bevel);
  Bevel GetBevel() const { return bevel_; }

 signals:
  void Click();
  void MouseDown(Qt::MouseButton button);
  void MouseMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  BgrColor color_ = kLightGrey;
  Bevel bevel_ = Bevel::kNone;
};

}  // namespace app
