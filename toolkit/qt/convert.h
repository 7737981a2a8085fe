#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <string>

#include "toolkit/colors.h"
#include "toolkit/geometry.h"
#include "toolkit/image.h"
#include "toolkit/native.h"

class QKeyEvent;

// The Qt backend's conversions between the toolkit's plain types and Qt's.
namespace app::qt {

inline QColor ToQColor(BgrColor bgr) { return QColor(RedOf(bgr), GreenOf(bgr), BlueOf(bgr)); }
inline BgrColor ToBgr(const QColor& color) { return FromRgb(color.red(), color.green(), color.blue()); }
inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
inline Rect ToRect(const QRect& r) { return Rect(r.x(), r.y(), r.width(), r.height()); }
inline QPoint ToQPoint(Point p) { return QPoint(p.x, p.y); }
inline Point ToPoint(const QPoint& p) { return Point{p.x(), p.y()}; }

// A QImage that shows the image's own pixels (no copy): valid while the
// image lives unchanged.
QImage ViewOf(const Image& image);
// A copy of a QImage as an Image (straight alpha).
Image ToImage(const QImage& image);
// The image as an icon of its own size: its own pixels, and on a scaled
// screen its double-size drawing where it carries one.
QIcon IconOf(const Image& image);

// The program's 8-bit text as Qt shows it: UTF-8 where the bytes are valid
// UTF-8, otherwise each byte as its Windows-1252 character (Latin-1 where
// that code page leaves a byte undefined).
QString ToQString(const std::string& bytes);
// Text the user typed, as the program keeps it: UTF-8.
std::string FromQString(const QString& text);

// A text shown by a Qt widget together with the bytes it came from, so that
// reading it back gives the same bytes as long as the user did not change it.
class KeptText {
 public:
  // Shows `bytes`; returns the text to give the widget.
  QString Keep(const std::string& bytes);
  // The bytes of the text the widget shows now.
  std::string Read(const QString& shown) const;

 private:
  std::string bytes_;
  QString shown_;
};

// The key the windows give a meaning to, for a Qt key event.
Key KeyOf(const QKeyEvent& event);
// The mouse button of a Qt button; nullopt-like false for others.
bool ButtonOf(Qt::MouseButton qt_button, MouseButton& button);

}  // namespace app::qt
