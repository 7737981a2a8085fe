#pragma once

#include <QWidget>

#include "app/toolkit/colors.h"

namespace app {

// A top-level window without a system frame or title bar, of a fixed client
// size, filled with its window colour; it draws its own title bar.
class BorderlessWindow : public QWidget {
  Q_OBJECT

 public:
  BorderlessWindow(int width, int height, QWidget* parent = nullptr);

  // The window colour (0x00BBGGRR).
  void SetColor(BgrColor color);
  BgrColor Color() const { return color_; }

  // Places the window in the centre of the screen.
  void PlaceInScreenCentre();

  // Shown again after the window system brought it back from minimised, the
  // window gets a new native window: on X11 the old one would still ask the
  // window manager to map it minimised, so the program would seem to vanish.
  void setVisible(bool visible) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Notes when the window system (the task bar) brings the window back from
  // minimised.
  void changeEvent(QEvent* event) override;

 private:
  BgrColor color_ = kCream;
  bool restored_by_window_system_ = false;
};

}  // namespace app
