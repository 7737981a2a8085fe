#pragma once

#include <QFont>
#include <QString>

#include "toolkit/font.h"

namespace app::qt {

// Where Debian's fonts-wine package puts Wine's own fonts.
inline constexpr char kWineFontFolder[] = "/usr/share/wine/fonts";
// Where Debian's fonts-freefont-ttf package puts FreeSans, the outline face
// whose advances come closest to those of MS Sans Serif's 13 px cell.
inline constexpr char kOutlineFontFolder[] = "/usr/share/fonts/truetype/freefont";

// The typeface the windows draw their text in, best first.
enum class WindowTypeface {
  kMsSansSerif,  // Wine's "MS Sans Serif": the windows' places were laid out for its 13 px cell
  kFreeSans,     // FreeSans, sized and narrowed to that cell's advances, where the screen's
                 // scale leaves the bitmap face without a strike of the size it needs
  kTahoma,       // Wine's Tahoma from the same package, at the size of that cell
  kDesktopSans,  // the desktop's sans serif, when neither file is there
};

// True when MS Sans Serif has a strike for its 13 px cell drawn at
// `device_pixel_ratio` device pixels per layout pixel. Its strikes (13, 16
// and 20 px) are drawn letter by letter with their own advances, so only
// the 13 px one keeps the layout's text widths: at any other scale the
// outline face stands in.
bool BitmapFaceFits(double device_pixel_ratio);

// Loads the windows' typeface and makes it the program's font, message
// boxes and drop-down lists included: ms_sans_serif.ttf from `font_folder`
// where it fits the screens' scale (the highest device pixel ratio among
// them), FreeSans from `outline_folder` where it does not, else tahoma.ttf
// from `font_folder`, else the desktop's sans serif. Needs the
// QApplication; called once at start (tests may call it again with other
// folders).
WindowTypeface LoadWindowTypeface(const QString& font_folder = kWineFontFolder,
                                  const QString& outline_folder = kOutlineFontFolder);

// The typeface that LoadWindowTypeface chose (the desktop's sans serif until
// it has run).
WindowTypeface CurrentTypeface();

// The Qt font of one of the windows' fonts, sized in pixels as the 96-dpi
// layout was, so that the geometry does not depend on the screen's dpi
// setting. Wine's MS Sans Serif has one 13 px cell that every size uses
// (that of 8 points), and FreeSans is sized to match it; the other
// fallbacks take the size as given.
QFont ToQFont(const Font& font);

}  // namespace app::qt
