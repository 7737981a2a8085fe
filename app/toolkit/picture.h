#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "app/toolkit/image.h"

namespace app {

// The picture as Qt draws it: the one place where the Qt windows turn the
// program's images (app/pictures/pictures.h) into Qt's.
QImage ToQImage(const Image& image);

// A picture drawn to fill its box (stretched where the box differs in size).
class Picture : public QWidget {
  Q_OBJECT

 public:
  Picture(const Image& image, QWidget* parent);

  const QPixmap& Pixmap() const { return pixmap_; }

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
  QPixmap pixmap_;
};

// A bevel line: a sunken horizontal or vertical rule.
class BevelLine : public QWidget {
  Q_OBJECT

 public:
  BevelLine(Qt::Orientation orientation, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
};

}  // namespace app
