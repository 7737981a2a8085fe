#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "tools/pictures/drawing.h"
#include "tools/pictures/picture_painting.h"

namespace drawing {

namespace {

using picture_painting::OpaqueCanvas;

constexpr int kGlossyWidth = 553;
constexpr int kGlossyHeight = 27;
constexpr QColor kGlossyTop(15, 24, 31);
constexpr QColor kGlossyBlue(79, 87, 255);
constexpr QColor kGlossyBright(207, 216, 255);
constexpr QColor kGlossyBottom(31, 32, 64);
// Where the shades sit, as fractions of the height: dark at the edges, the
// full blue a few rows in, the bright glass across the middle rows.
constexpr double kGlossyBlueAbove = 0.16;
constexpr double kGlossyBrightFrom = 0.40;
constexpr double kGlossyBrightTo = 0.56;
constexpr double kGlossyBlueBelow = 0.84;
// The glass sheen: a faint white veil over the upper half.
constexpr QColor kSheen(255, 255, 255, 40);
constexpr double kSheenHeight = 0.48;

constexpr int kNavyWidth = 527;
constexpr int kNavyHeight = 26;
constexpr int kNavyBlue = 160;
// The blue of the rows at the top and at the bottom edge, outermost first;
// every other row is the flat navy.
constexpr int kNavyTopRows[] = {191, 181, 170};
constexpr int kNavyBottomRows[] = {80, 104, 126, 146};

}  // namespace

QImage GlossyTitlePicture(int scale) {
  QImage image = OpaqueCanvas(kGlossyWidth, kGlossyHeight, scale);
  QPainter painter(&image);
  QLinearGradient glass(0, 0, 0, kGlossyHeight);
  glass.setColorAt(0.0, kGlossyTop);
  glass.setColorAt(kGlossyBlueAbove, kGlossyBlue);
  glass.setColorAt(kGlossyBrightFrom, kGlossyBright);
  glass.setColorAt(kGlossyBrightTo, kGlossyBright);
  glass.setColorAt(kGlossyBlueBelow, kGlossyBlue);
  glass.setColorAt(1.0, kGlossyBottom);
  painter.fillRect(QRect(0, 0, kGlossyWidth, kGlossyHeight), glass);

  QLinearGradient sheen(0, 1, 0, kSheenHeight * kGlossyHeight);
  sheen.setColorAt(0.0, Qt::transparent);
  sheen.setColorAt(0.5, kSheen);
  sheen.setColorAt(1.0, Qt::transparent);
  painter.fillRect(0, 1, kGlossyWidth, static_cast<int>(kSheenHeight * kGlossyHeight), sheen);
  painter.end();
  return image;
}

QImage NavyTitlePicture(int scale) {
  QImage image = OpaqueCanvas(kNavyWidth, kNavyHeight, scale);
  image.fill(QColor(0, 0, kNavyBlue));
  QPainter painter(&image);
  int row = 0;
  for (int blue : kNavyTopRows) painter.fillRect(0, row++, kNavyWidth, 1, QColor(0, 0, blue));
  row = kNavyHeight - 1;
  for (int blue : kNavyBottomRows) painter.fillRect(0, row--, kNavyWidth, 1, QColor(0, 0, blue));
  painter.end();
  return image;
}

}  // namespace drawing
