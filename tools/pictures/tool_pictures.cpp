#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>

#include "tools/pictures/drawing.h"
#include "tools/pictures/picture_painting.h"

namespace drawing {

namespace {

using picture_painting::DrawFolder;
using picture_painting::Smooth;
using picture_painting::TransparentCanvas;
using picture_painting::YellowFolder;

constexpr int kSize = 32;

// Wrench: brushed steel.
constexpr QColor kSteelLight(232, 238, 244);
constexpr QColor kSteelMid(176, 188, 200);
constexpr QColor kSteelDark(120, 134, 150);
constexpr QColor kSteelOutline(62, 72, 86);
constexpr double kWrenchAngle = -45.0;

// Magnifying glass.
constexpr QColor kLensGlass(190, 225, 255, 170);
constexpr QColor kLensShine(255, 255, 255, 220);
constexpr QColor kLensRim(70, 78, 90);
constexpr QColor kLensHandle(40, 40, 48);

// Palette and pencils.
constexpr QColor kPaletteWood(226, 184, 128);
constexpr QColor kPaletteWoodDark(196, 148, 90);
constexpr QColor kPaletteOutline(120, 78, 34);
constexpr QColor kPaints[] = {QColor(228, 40, 40), QColor(255, 200, 30), QColor(40, 110, 230),
                              QColor(50, 170, 70)};
constexpr QColor kPencilWood(244, 214, 160);
constexpr QColor kPencilLead(50, 50, 50);
constexpr QColor kPencilOutline(60, 50, 40);
constexpr QColor kEraser(240, 150, 160);
constexpr QColor kFerrule(180, 180, 190);

// Book.
constexpr QColor kBookCover(36, 84, 168);
constexpr QColor kBookCoverOutline(20, 46, 100);
constexpr QColor kPageLight(255, 255, 255);
constexpr QColor kPageShade(214, 220, 230);
constexpr QColor kPageOutline(110, 118, 130);
constexpr QColor kPageLines(150, 165, 190);

// One pencil lying along the x axis from `tail` towards `tip`, seen flat.
void DrawPencil(QPainter& painter, QPointF tail, double angle, double length,
                const QColor& body) {
  painter.save();
  painter.translate(tail);
  painter.rotate(angle);
  const double half = 2.0;
  const double cone = 5.0;
  QPen outline(kPencilOutline, 0.8);
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);
  painter.setBrush(kEraser);
  painter.drawRoundedRect(QRectF(0, -half, 3, 2 * half), 1.0, 1.0);
  painter.setBrush(kFerrule);
  painter.drawRect(QRectF(2.5, -half, 2, 2 * half));
  painter.setBrush(body);
  painter.drawRect(QRectF(4.5, -half, length - cone - 4.5, 2 * half));
  painter.setBrush(kPencilWood);
  painter.drawPolygon(QPolygonF({{length - cone, -half}, {length, 0}, {length - cone, half}}));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPencilLead);
  painter.drawPolygon(QPolygonF({{length - 1.8, -0.8}, {length, 0}, {length - 1.8, 0.8}}));
  painter.restore();
}

}  // namespace

QImage OptionsPicture(int scale) {
  QImage image = TransparentCanvas(kSize, kSize, scale);
  QPainter painter(&image);
  Smooth(painter);
  painter.translate(kSize / 2.0, kSize / 2.0);
  painter.rotate(kWrenchAngle);

  // Drawn lying along the x axis: the handle to the left, the open jaw to
  // the right, a hole to hang it by at the handle's end.
  QPainterPath handle;
  handle.addRoundedRect(QRectF(-17, -3.2, 25, 6.4), 3.2, 3.2);
  QPainterPath head;
  head.addEllipse(QPointF(10.5, 0), 7.5, 7.5);
  QPainterPath jaw;
  jaw.addRect(QRectF(10.5, -3.0, 9, 6.0));
  jaw.addEllipse(QPointF(10.5, 0), 3.0, 3.0);
  QPainterPath hole;
  hole.addEllipse(QPointF(-13.5, 0), 1.4, 1.4);
  const QPainterPath wrench = handle.united(head).subtracted(jaw).subtracted(hole);

  QLinearGradient steel(0, -7.5, 0, 7.5);
  steel.setColorAt(0.0, kSteelLight);
  steel.setColorAt(0.5, kSteelMid);
  steel.setColorAt(1.0, kSteelDark);
  QPen outline(kSteelOutline, 1.1);
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);
  painter.setBrush(steel);
  painter.drawPath(wrench);
  // A groove along the handle.
  painter.setPen(QPen(kSteelDark, 1.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(-10, 0), QPointF(1.5, 0));
  painter.end();
  return image;
}

QImage FindPicture(int scale) {
  QImage image = TransparentCanvas(kSize, kSize, scale);
  QPainter painter(&image);
  Smooth(painter);
  DrawFolder(painter, QRectF(1, 4, 25, 21), YellowFolder());

  const QPointF centre(19.5, 18.5);
  const double radius = 6.5;
  // The handle first, so that the rim covers its inner end.
  painter.setPen(QPen(kLensHandle, 4.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre + QPointF(4.5, 4.5), QPointF(29, 28));
  QRadialGradient glass(centre - QPointF(2, 2), radius * 1.4);
  glass.setColorAt(0.0, kLensShine);
  glass.setColorAt(0.35, kLensGlass);
  glass.setColorAt(1.0, kLensGlass);
  painter.setPen(QPen(kLensRim, 2.4));
  painter.setBrush(glass);
  painter.drawEllipse(centre, radius, radius);
  painter.setPen(QPen(kLensShine, 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(centre.x() - 4, centre.y() - 4, 8, 8), 100 * 16, 70 * 16);
  painter.end();
  return image;
}

QImage SkinPicture(int scale) {
  QImage image = TransparentCanvas(kSize, kSize, scale);
  QPainter painter(&image);
  Smooth(painter);

  // A painter's palette: a rounded board with a thumb hole and a notch.
  QPainterPath board;
  board.addEllipse(QRectF(1, 8, 23, 20));
  QPainterPath thumb;
  thumb.addEllipse(QPointF(8.0, 21.5), 2.3, 2.3);
  QPainterPath notch;
  notch.addEllipse(QPointF(4.0, 29.0), 4.5, 3.6);
  const QPainterPath palette = board.subtracted(thumb).subtracted(notch);
  QLinearGradient wood(0, 8, 0, 28);
  wood.setColorAt(0.0, kPaletteWood);
  wood.setColorAt(1.0, kPaletteWoodDark);
  QPen outline(kPaletteOutline, 1.0);
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);
  painter.setBrush(wood);
  painter.drawPath(palette);

  const QPointF blobs[] = {{6.5, 14.5}, {11.5, 11.8}, {17.0, 12.8}, {16.0, 19.5}};
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    painter.setBrush(kPaints[i].darker(130));
    painter.drawEllipse(blobs[i] + QPointF(0.3, 0.4), 2.6, 2.3);
    painter.setBrush(kPaints[i]);
    painter.drawEllipse(blobs[i], 2.5, 2.2);
  }

  // Two pencils standing beside the palette, leaning slightly.
  DrawPencil(painter, QPointF(24.5, 1.5), 97, 27, kPaints[0]);
  DrawPencil(painter, QPointF(30.0, 3.0), 97, 26, kPaints[2]);
  painter.end();
  return image;
}

QImage HelpPicture(int scale) {
  QImage image = TransparentCanvas(kSize, kSize, scale);
  QPainter painter(&image);
  Smooth(painter);
  QPen cover_pen(kBookCoverOutline, 1.0);
  cover_pen.setJoinStyle(Qt::RoundJoin);

  // The cover, showing under the pages at the sides and the bottom.
  QPainterPath cover;
  cover.moveTo(1, 9);
  cover.lineTo(1, 27);
  cover.quadTo(9, 25.5, 16, 29);
  cover.quadTo(23, 25.5, 31, 27);
  cover.lineTo(31, 9);
  cover.closeSubpath();
  painter.setPen(cover_pen);
  painter.setBrush(kBookCover);
  painter.drawPath(cover);

  // The two pages, curving up from the spine.
  QPen page_pen(kPageOutline, 0.9);
  page_pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(page_pen);
  for (int side : {-1, 1}) {
    QPainterPath page;
    page.moveTo(16, 8.5);
    page.quadTo(16 + side * 7, 4.5, 16 + side * 13.5, 6);
    page.lineTo(16 + side * 13.5, 24.5);
    page.quadTo(16 + side * 7, 23, 16, 27);
    page.closeSubpath();
    QLinearGradient paper(16, 0, 16 + side * 13.5, 0);
    paper.setColorAt(0.0, kPageShade);
    paper.setColorAt(0.35, kPageLight);
    paper.setColorAt(1.0, kPageLight);
    painter.setBrush(paper);
    painter.drawPath(page);
  }

  // Lines of text on both pages, following the pages' curve.
  painter.setPen(QPen(kPageLines, 1.0, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  for (int line = 0; line < 4; ++line) {
    const double y = 10.5 + line * 3.6;
    for (int side : {-1, 1}) {
      QPainterPath text;
      text.moveTo(16 + side * 3, y + 0.8);
      text.quadTo(16 + side * 6.5, y - 1.2, 16 + side * 11, y - 0.4);
      painter.drawPath(text);
    }
  }
  painter.end();
  return image;
}

}  // namespace drawing
