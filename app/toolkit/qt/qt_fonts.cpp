#include "app/toolkit/qt/qt_fonts.h"

namespace app::qt {

namespace {
constexpr char kFamily[] = "MS Sans Serif";
}  // namespace

QFont ToQFont(const Font& font) {
  QFont qt_font(kFamily);
  qt_font.setStyleHint(QFont::SansSerif);
  qt_font.setPixelSize(PixelsOf(font.points));
  qt_font.setBold(font.bold);
  return qt_font;
}

}  // namespace app::qt
