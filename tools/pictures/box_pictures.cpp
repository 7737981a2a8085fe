#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "tools/pictures/drawing.h"
#include "tools/pictures/picture_painting.h"

namespace drawing {

namespace {

using picture_painting::Smooth;
using picture_painting::TransparentCanvas;

constexpr int kSize = 32;

// The cardboard box.
constexpr QColor kBoxInside(128, 86, 42);
constexpr QColor kBoxFrontLight(224, 180, 118);
constexpr QColor kBoxFrontDark(196, 146, 82);
constexpr QColor kBoxFlap(236, 196, 138);
constexpr QColor kBoxOutline(112, 72, 30);
constexpr QColor kBoxTape(245, 222, 180);

// What the box holds: a sheet leaning left, a folder standing up, a sheet
// leaning right, each with its fill, its rim and the colour of its lines.
struct Contents {
  QColor left_sheet;
  QColor left_rim;
  QColor folder;
  QColor folder_rim;
  QColor right_sheet;
  QColor right_rim;
  QColor lines;
};

constexpr Contents kGreyedContents = {
    QColor(200, 200, 200), QColor(120, 120, 120), QColor(172, 172, 172), QColor(110, 110, 110),
    QColor(214, 214, 214), QColor(128, 128, 128), QColor(150, 150, 150)};

constexpr Contents kColouredContents = {
    QColor(96, 160, 255),  QColor(20, 70, 170), QColor(255, 204, 64), QColor(170, 110, 0),
    QColor(120, 210, 110), QColor(30, 120, 40), QColor(255, 255, 255)};

void DrawSheet(QPainter& painter, QPointF base, double angle, const QColor& fill,
               const QColor& rim, const QColor& lines) {
  painter.save();
  painter.translate(base);
  painter.rotate(angle);
  painter.setPen(QPen(rim, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(-4.5, -14, 9, 16), 1.0, 1.0);
  painter.setPen(QPen(lines, 1.0));
  for (double y = -11; y <= -5; y += 3) painter.drawLine(QPointF(-2.5, y), QPointF(2.5, y));
  painter.restore();
}

void DrawStandingFolder(QPainter& painter, const Contents& contents) {
  painter.setPen(QPen(contents.folder_rim, 1.0));
  painter.setBrush(contents.folder);
  QPainterPath folder;
  folder.moveTo(12.5, 16);
  folder.lineTo(12.5, 6.5);
  folder.lineTo(15, 6.5);
  folder.lineTo(16.5, 4.5);
  folder.lineTo(19.5, 4.5);
  folder.lineTo(19.5, 16);
  folder.closeSubpath();
  painter.drawPath(folder);
}

// An open box seen from the front with `contents` sticking out of it.
QImage BoxPicture(const Contents& contents, int scale) {
  QImage image = TransparentCanvas(kSize, kSize, scale);
  QPainter painter(&image);
  Smooth(painter);
  QPen outline(kBoxOutline, 1.0);
  outline.setJoinStyle(Qt::RoundJoin);

  // The dark inside of the box, seen over the front edge.
  painter.setPen(outline);
  painter.setBrush(kBoxInside);
  painter.drawPolygon(QPolygonF({{7.5, 12.5}, {24.5, 12.5}, {27.5, 16.5}, {4.5, 16.5}}));

  DrawSheet(painter, {10.5, 17}, -14, contents.left_sheet, contents.left_rim, contents.lines);
  DrawSheet(painter, {21.5, 17}, 14, contents.right_sheet, contents.right_rim, contents.lines);
  DrawStandingFolder(painter, contents);

  // The two front flaps folded outwards.
  painter.setPen(outline);
  painter.setBrush(kBoxFlap);
  painter.drawPolygon(QPolygonF({{4.5, 16.5}, {1.0, 21.5}, {3.0, 22.5}, {6.5, 17.5}}));
  painter.drawPolygon(QPolygonF({{27.5, 16.5}, {31.0, 21.5}, {29.0, 22.5}, {25.5, 17.5}}));

  // The front of the box.
  QLinearGradient front(0, 16, 0, 30);
  front.setColorAt(0.0, kBoxFrontLight);
  front.setColorAt(1.0, kBoxFrontDark);
  painter.setBrush(front);
  painter.drawRoundedRect(QRectF(4.5, 16.5, 23, 13), 1.5, 1.5);
  // A strip of tape across the front.
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBoxTape);
  painter.drawRect(QRectF(13.5, 17, 5, 12));
  painter.end();
  return image;
}

}  // namespace

QImage HideFolderPicture(int scale) { return BoxPicture(kGreyedContents, scale); }

QImage ComebackPicture(int scale) { return BoxPicture(kColouredContents, scale); }

}  // namespace drawing
