#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "tools/pictures/drawing.h"
#include "tools/pictures/picture_painting.h"

namespace drawing {

namespace {

using picture_painting::DrawFolder;
using picture_painting::OpaqueCanvas;
using picture_painting::Smooth;
using picture_painting::TransparentCanvas;
using picture_painting::YellowFolder;

constexpr int kUpWidth = 25;
constexpr int kUpHeight = 16;
constexpr QColor kArrowFill(40, 160, 60);
constexpr QColor kArrowOutline(10, 80, 25);

constexpr int kRowSize = 16;
constexpr QColor kBarLight(255, 90, 80);
constexpr QColor kBarDark(190, 0, 0);
constexpr QColor kBarOutline(120, 0, 0);

constexpr QColor kStripBeige(208, 207, 192);
constexpr QColor kStripLight(222, 221, 208);
constexpr QColor kStripEdge(190, 189, 172);
// The strip is lighter at its left edge and reaches the beige this far in.
constexpr double kStripLightReach = 0.35;

}  // namespace

QImage UpFolderPicture(int scale) {
  QImage image = TransparentCanvas(kUpWidth, kUpHeight, scale);
  QPainter painter(&image);
  Smooth(painter);
  DrawFolder(painter, QRectF(0, 2, 19, 14), YellowFolder());

  // The arrow rises from the folder's front and points up beside its tab.
  QPainterPath arrow;
  arrow.moveTo(16.5, 15.0);
  arrow.lineTo(16.5, 7.0);
  arrow.lineTo(13.5, 7.0);
  arrow.lineTo(19.5, 0.8);
  arrow.lineTo(24.5, 7.0);
  arrow.lineTo(21.5, 7.0);
  arrow.lineTo(21.5, 15.0);
  arrow.closeSubpath();
  QPen outline(kArrowOutline, 1.0);
  outline.setJoinStyle(Qt::MiterJoin);
  painter.setPen(outline);
  painter.setBrush(kArrowFill);
  painter.drawPath(arrow);
  painter.end();
  return image;
}

QImage HiddenRowPicture(int scale) {
  QImage image = TransparentCanvas(kRowSize, kRowSize, scale);
  QPainter painter(&image);
  Smooth(painter);
  painter.translate(kRowSize / 2.0, kRowSize / 2.0);
  painter.rotate(-55);
  QLinearGradient bar(0, -2.5, 0, 2.5);
  bar.setColorAt(0.0, kBarLight);
  bar.setColorAt(1.0, kBarDark);
  painter.setPen(QPen(kBarOutline, 0.9));
  painter.setBrush(bar);
  painter.drawRoundedRect(QRectF(-7.5, -2.4, 15, 4.8), 2.0, 2.0);
  painter.end();
  return image;
}

QImage MenuStripPicture(int width, int height, int scale) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image = OpaqueCanvas(width, height, scale);
  QPainter painter(&image);
  QLinearGradient strip(0, 0, width, 0);
  strip.setColorAt(0.0, kStripLight);
  strip.setColorAt(kStripLightReach, kStripBeige);
  strip.setColorAt(1.0, kStripBeige);
  painter.fillRect(QRect(0, 0, width, height), strip);
  // A slightly darker last column sets the strip off from the white panel.
  if (width > 2) painter.fillRect(width - 1, 0, 1, height, kStripEdge);
  painter.end();
  return image;
}

}  // namespace drawing
