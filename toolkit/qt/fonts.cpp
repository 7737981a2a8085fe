#include "toolkit/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace app::qt {

namespace {

constexpr char kMsSansSerifFile[] = "ms_sans_serif.ttf";
constexpr char kTahomaFile[] = "tahoma.ttf";
// The one bitmap cell of Wine's MS Sans Serif, that of 8 points.
constexpr int kMsSansSerifCellPixels = 13;

struct Typeface {
  WindowTypeface kind = WindowTypeface::kDesktopSans;
  QString family;  // empty: the desktop's sans serif
};

Typeface& Current() {
  static Typeface typeface;
  return typeface;
}

// The family of the font file, once it is known to the program; empty when
// the file is missing or holds no usable font.
QString AddFontFile(const QString& path) {
  const int id = QFontDatabase::addApplicationFont(path);
  if (id < 0) return {};
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  return families.isEmpty() ? QString() : families.first();
}

}  // namespace

WindowTypeface LoadWindowTypeface(const QString& font_folder) {
  Typeface chosen;
  if (QString family = AddFontFile(font_folder + "/" + kMsSansSerifFile); !family.isEmpty()) {
    chosen = {WindowTypeface::kMsSansSerif, family};
  } else if (family = AddFontFile(font_folder + "/" + kTahomaFile); !family.isEmpty()) {
    chosen = {WindowTypeface::kTahoma, family};
  }
  Current() = chosen;
  QApplication::setFont(ToQFont(kDefaultFont));
  return chosen.kind;
}

WindowTypeface CurrentTypeface() { return Current().kind; }

QFont ToQFont(const Font& font) {
  const Typeface& typeface = Current();
  QFont qt_font;
  if (!typeface.family.isEmpty()) qt_font.setFamily(typeface.family);
  qt_font.setStyleHint(QFont::SansSerif);
  qt_font.setPixelSize(typeface.kind == WindowTypeface::kMsSansSerif ? kMsSansSerifCellPixels
                                                                     : PixelsOf(font.points));
  qt_font.setBold(font.bold);
  return qt_font;
}

}  // namespace app::qt
