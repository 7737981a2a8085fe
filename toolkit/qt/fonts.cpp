#include "toolkit/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace app::qt {

namespace {

constexpr char kMsSansSerifFile[] = "ms_sans_serif.ttf";
constexpr char kTahomaFile[] = "tahoma.ttf";
constexpr char kFreeSansFile[] = "FreeSans.ttf";
constexpr char kFreeSansBoldFile[] = "FreeSansBold.ttf";
// The one bitmap cell of Wine's MS Sans Serif that the layout uses, that of
// 8 points.
constexpr int kMsSansSerifCellPixels = 13;
// FreeSans at 11 px, narrowed to 95 %, has the advances of that cell within
// 3 % on average over the windows' captions (measured at the scales 1.25,
// 1.5 and 2), a little narrower rather than wider so that the captions
// whose boxes the bitmap fills exactly still fit.
constexpr int kFreeSansPixels = 11;
constexpr int kFreeSansStretch = 95;

struct Typeface {
  WindowTypeface kind = WindowTypeface::kDesktopSans;
  QString family;  // empty: the desktop's sans serif
  // The outline face for the sizes MS Sans Serif's one cell does not have
  // (the title bars' marks); empty: the desktop's sans serif.
  QString outline_family;
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

bool BitmapFaceFits(double device_pixel_ratio) { return device_pixel_ratio == 1.0; }

WindowTypeface LoadWindowTypeface(const QString& font_folder, const QString& outline_folder) {
  Typeface chosen;
  const bool bitmap_fits = BitmapFaceFits(qApp->devicePixelRatio());
  if (QString family = bitmap_fits ? AddFontFile(font_folder + "/" + kMsSansSerifFile) : QString();
      !family.isEmpty()) {
    chosen = {WindowTypeface::kMsSansSerif, family, AddFontFile(outline_folder + "/" + kFreeSansFile)};
    AddFontFile(outline_folder + "/" + kFreeSansBoldFile);
  } else if (family = AddFontFile(outline_folder + "/" + kFreeSansFile); !family.isEmpty()) {
    AddFontFile(outline_folder + "/" + kFreeSansBoldFile);
    chosen = {WindowTypeface::kFreeSans, family, family};
  } else if (family = AddFontFile(font_folder + "/" + kTahomaFile); !family.isEmpty()) {
    chosen = {WindowTypeface::kTahoma, family, family};
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
  switch (typeface.kind) {
    case WindowTypeface::kMsSansSerif:
      if (font.points == kDefaultFont.points) {
        qt_font.setPixelSize(kMsSansSerifCellPixels);
        break;
      }
      // Another size is the outline face's, at that size, narrowed as
      // below to the bitmap face's advances.
      qt_font.setFamily(typeface.outline_family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()
                                                          : typeface.outline_family);
      qt_font.setPixelSize(PixelsOf(font.points));
      qt_font.setStretch(kFreeSansStretch);
      break;
    case WindowTypeface::kFreeSans:
      qt_font.setPixelSize(font.points == kDefaultFont.points ? kFreeSansPixels : PixelsOf(font.points));
      qt_font.setStretch(kFreeSansStretch);
      break;
    case WindowTypeface::kTahoma:
    case WindowTypeface::kDesktopSans:
      qt_font.setPixelSize(PixelsOf(font.points));
      break;
  }
  qt_font.setBold(font.bold);
  return qt_font;
}

}  // namespace app::qt
