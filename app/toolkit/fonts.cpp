#include "app/toolkit/fonts.h"

namespace app {

namespace {
constexpr char kFamily[] = "MS Sans Serif";
constexpr int kDotsPerInch = 96;
constexpr int kPointsPerInch = 72;
}  // namespace

QFont SansFont(int point_size, bool bold) {
  QFont font(kFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize((point_size * kDotsPerInch + kPointsPerInch / 2) / kPointsPerInch);
  font.setBold(bold);
  return font;
}

}  // namespace app
