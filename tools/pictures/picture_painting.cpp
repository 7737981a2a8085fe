#include "tools/pictures/picture_painting.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace drawing::picture_painting {

namespace {

constexpr QColor kFolderBack(222, 165, 40);
constexpr QColor kFolderFrontLight(255, 221, 110);
constexpr QColor kFolderFrontDark(245, 184, 55);
constexpr QColor kFolderOutline(150, 96, 10);

// Folder proportions, as fractions of the folder's box.
constexpr double kTabWidth = 0.42;
constexpr double kTabHeight = 0.16;
constexpr double kFrontTop = 0.30;
constexpr double kFrontSlant = 0.06;
constexpr double kCornerRadius = 0.06;

}  // namespace

QImage TransparentCanvas(int width, int height, int scale) {
  QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::transparent);
  return image;
}

QImage OpaqueCanvas(int width, int height, int scale) {
  QImage image(width * scale, height * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

FolderColours YellowFolder() {
  return {kFolderBack, kFolderFrontLight, kFolderFrontDark, kFolderOutline};
}

void DrawFolder(QPainter& painter, const QRectF& area, const FolderColours& colours) {
  const double w = area.width();
  const double h = area.height();
  const double radius = kCornerRadius * std::min(w, h);
  const double tab_w = kTabWidth * w;
  const double tab_h = kTabHeight * h;

  painter.save();
  painter.translate(area.topLeft());
  QPen outline(colours.outline, std::max(0.8, 0.035 * std::min(w, h)));
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);

  // The back: a box with a tab that rises on the left and slopes down.
  QPainterPath back;
  back.moveTo(0.5, tab_h + radius);
  back.lineTo(0.5, h - 0.5 - radius);
  back.quadTo(0.5, h - 0.5, 0.5 + radius, h - 0.5);
  back.lineTo(w - 0.5 - radius, h - 0.5);
  back.quadTo(w - 0.5, h - 0.5, w - 0.5, h - 0.5 - radius);
  back.lineTo(w - 0.5, tab_h + radius);
  back.quadTo(w - 0.5, tab_h, w - 0.5 - radius, tab_h);
  back.lineTo(tab_w + tab_h * 0.6, tab_h);
  back.lineTo(tab_w, 0.5);
  back.lineTo(0.5 + radius, 0.5);
  back.quadTo(0.5, 0.5, 0.5, 0.5 + radius);
  back.closeSubpath();
  painter.setBrush(colours.back);
  painter.drawPath(back);

  // The front flap, leaning slightly so that the folder looks open a crack.
  const double front_top = kFrontTop * h;
  QPainterPath front;
  front.moveTo(0.5 + kFrontSlant * w, front_top);
  front.lineTo(w - 0.5, front_top);
  front.lineTo(w - 0.5, h - 0.5 - radius);
  front.quadTo(w - 0.5, h - 0.5, w - 0.5 - radius, h - 0.5);
  front.lineTo(0.5 + radius, h - 0.5);
  front.quadTo(0.5, h - 0.5, 0.5, h - 0.5 - radius);
  front.closeSubpath();
  QLinearGradient shade(0, front_top, 0, h);
  shade.setColorAt(0.0, colours.front_light);
  shade.setColorAt(1.0, colours.front_dark);
  painter.setBrush(shade);
  painter.drawPath(front);
  painter.restore();
}

}  // namespace drawing::picture_painting
