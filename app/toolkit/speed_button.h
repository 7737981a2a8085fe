#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include "app/toolkit/image.h"

namespace app {

// A speed button: flat (only a thin raised edge while the pointer is over
// it) or with a normal button face, carrying an optional picture above its
// caption. Offers the mouse-press and mouse-move events beside clicked().
class SpeedButton : public QAbstractButton {
  Q_OBJECT

 public:
  SpeedButton(const QString& caption, QWidget* parent);

  // Flat buttons draw no face; the others draw the standard button face.
  void SetFlat(bool flat);
  bool IsFlat() const { return flat_; }

  // Puts a picture centred at `picture_top` and the caption centred at
  // `caption_top` (both in button coordinates). Without a picture the
  // caption is centred in the button.
  void SetPicture(const Image& picture, int picture_top, int caption_top);

  // True while the pointer is over the button.
  bool IsHot() const { return hot_; }

 signals:
  void MouseDown(Qt::MouseButton button);
  void MouseMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool flat_ = true;
  bool hot_ = false;
  QPixmap picture_;
  int picture_top_ = 0;
  int caption_top_ = 0;
};

}  // namespace app
