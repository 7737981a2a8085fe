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

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Brought back from minimised by the window system (the task bar), the
  // window passes its state on to its native window too: otherwise the next
  // time the program shows it after hiding it, it comes back minimised.
  void changeEvent(QEvent* event) override;

 private:
  BgrColor color_ = kCream;
};

}  // namespace app
