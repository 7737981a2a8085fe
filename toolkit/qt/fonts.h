#pragma once

#include <QFont>
#include <QString>

#include "toolkit/font.h"

namespace app::qt {

// Where Debian's fonts-wine package puts Wine's own fonts.
inline constexpr char kWineFontFolder[] = "/usr/share/wine/fonts";

// The typeface the windows draw their text in, best first.
enum class WindowTypeface {
  kMsSansSerif,  // Wine's "MS Sans Serif": the windows' places were laid out for its 13 px cell
  kTahoma,       // Wine's Tahoma from the same package, at the size of that cell
  kDesktopSans,  // the desktop's sans serif, when neither file is there
};

// Loads the windows' typeface from `font_folder` (ms_sans_serif.ttf, else
// tahoma.ttf, else the desktop's sans serif) and makes it the program's
// font, message boxes and drop-down lists included. Needs the QApplication;
// called once at start (tests may call it again with another folder).
WindowTypeface LoadWindowTypeface(const QString& font_folder = kWineFontFolder);

// The typeface that LoadWindowTypeface chose (the desktop's sans serif until
// it has run).
WindowTypeface CurrentTypeface();

// The Qt font of one of the windows' fonts, sized in pixels as the 96-dpi
// layout was, so that the geometry does not depend on the screen's dpi
// setting. Wine's MS Sans Serif has one bitmap cell, 13 px, which every size
// uses (that of 8 points); the scalable fallbacks take the size as given.
QFont ToQFont(const Font& font);

}  // namespace app::qt
