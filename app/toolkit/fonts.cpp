#include "app/toolkit/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace app {

namespace {

constexpr char kMsSansSerifFile[] = "ms_sans_serif.ttf";
constexpr char kTahomaFile[] = "tahoma.ttf";
// What a window without a font of its own uses: 8 points.
constexpr int kWindowFontPoints = 8;
// The one bitmap cell of Wine's MS Sans Serif, that of 8 points.
constexpr int kMsSansSerifCellPixels = 13;
constexpr int kDotsPerInch = 96;
constexpr int kPointsPerInch = 72;

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
  QApplication::setFont(SansFont(kWindowFontPoints));
  return chosen.kind;
}

WindowTypeface CurrentTypeface() { return Current().kind; }

QFont SansFont(int point_size, bool bold) {
  const Typeface& typeface = Current();
  QFont font;
  if (!typeface.family.isEmpty()) font.setFamily(typeface.family);
  font.setStyleHint(QFont::SansSerif);
  if (typeface.kind == WindowTypeface::kMsSansSerif) {
    font.setPixelSize(kMsSansSerifCellPixels);
  } else {
    font.setPixelSize((point_size * kDotsPerInch + kPointsPerInch / 2) / kPointsPerInch);
  }
  font.setBold(bold);
  return font;
}

}  // namespace app
