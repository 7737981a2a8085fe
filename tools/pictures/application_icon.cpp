#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>

#include "tools/pictures/drawing.h"
#include "tools/pictures/picture_painting.h"

namespace drawing {

namespace {

using picture_painting::DrawFolder;
using picture_painting::Smooth;
using picture_painting::TransparentCanvas;
using picture_painting::YellowFolder;

// The design is kept in step with app/resources/quillomar.svg.
constexpr int kIconSize = 48;
constexpr QRectF kFolderArea(2, 6, 44, 36);
constexpr QPointF kEyeCentre(24, 29);
constexpr double kEyeHalfWidth = 14;
constexpr double kEyeHalfHeight = 8.5;
constexpr double kIrisRadius = 5.6;
constexpr double kPupilRadius = 2.6;
constexpr QColor kEyeWhite(255, 255, 255);
constexpr QColor kEyeOutline(60, 40, 10);
constexpr QColor kIrisLight(120, 190, 255);
constexpr QColor kIrisDark(20, 80, 170);
constexpr QColor kPupil(15, 15, 25);
constexpr QColor kGlint(255, 255, 255);

}  // namespace

QImage ApplicationIcon(int size) {
  if (size <= 0) return QImage();
  QImage image = TransparentCanvas(size, size, 1);
  QPainter painter(&image);
  Smooth(painter);
  // Designed at 48 x 48; the other sizes are the same drawing to scale.
  if (size != kIconSize) painter.scale(size / static_cast<double>(kIconSize), size / static_cast<double>(kIconSize));
  DrawFolder(painter, kFolderArea, YellowFolder());

  // An eye on the folder's front: the almond, the iris, the pupil, a glint.
  const double cx = kEyeCentre.x();
  const double cy = kEyeCentre.y();
  QPainterPath almond;
  almond.moveTo(cx - kEyeHalfWidth, cy);
  almond.quadTo(cx, cy - 2 * kEyeHalfHeight, cx + kEyeHalfWidth, cy);
  almond.quadTo(cx, cy + 2 * kEyeHalfHeight, cx - kEyeHalfWidth, cy);
  almond.closeSubpath();
  QPen outline(kEyeOutline, 1.5);
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);
  painter.setBrush(kEyeWhite);
  painter.drawPath(almond);

  painter.save();
  painter.setClipPath(almond);
  QRadialGradient iris(kEyeCentre, kIrisRadius);
  iris.setColorAt(0.0, kIrisLight);
  iris.setColorAt(1.0, kIrisDark);
  painter.setPen(Qt::NoPen);
  painter.setBrush(iris);
  painter.drawEllipse(kEyeCentre, kIrisRadius, kIrisRadius);
  painter.setBrush(kPupil);
  painter.drawEllipse(kEyeCentre, kPupilRadius, kPupilRadius);
  painter.setBrush(kGlint);
  painter.drawEllipse(kEyeCentre + QPointF(-1.8, -1.8), 1.2, 1.2);
  painter.restore();
  painter.end();
  return image;
}

}  // namespace drawing
