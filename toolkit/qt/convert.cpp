#include "toolkit/qt/convert.h"

#include <QKeyEvent>
#include <QPixmap>
#include <QStringDecoder>

namespace app::qt {

namespace {
// Windows-1252 at 0x80..0x9F; 0 where the code page defines no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsValidUtf8(const std::string& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !decoder.hasError();
}
}  // namespace

QImage ViewOf(const Image& image) {
  if (image.IsNull()) return QImage();
  return QImage(reinterpret_cast<const uchar*>(image.Pixels().data()), image.Width(), image.Height(),
                image.Width() * 4, QImage::Format_ARGB32);
}

Image ToImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Image out(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) out.SetPixel(x, y, line[x]);
  }
  return out;
}

// Qt shows the pixmap whose scale is nearest the screen's, and of two as
// near (at 1.5) the one added first: the double-size one.
QIcon IconOf(const Image& image) {
  QIcon icon;
  if (const Image* twice = image.Double()) {
    QPixmap pixmap = QPixmap::fromImage(ViewOf(*twice));
    pixmap.setDevicePixelRatio(2);
    icon.addPixmap(pixmap);
  }
  icon.addPixmap(QPixmap::fromImage(ViewOf(image)));
  return icon;
}

QString ToQString(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char16_t high = byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : 0;
    text.append(QChar(high != 0 ? high : static_cast<char16_t>(byte)));
  }
  return text;
}

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

QString KeptText::Keep(const std::string& bytes) {
  bytes_ = bytes;
  shown_ = ToQString(bytes);
  return shown_;
}

std::string KeptText::Read(const QString& shown) const {
  return shown == shown_ ? bytes_ : FromQString(shown);
}

Key KeyOf(const QKeyEvent& event) {
  const bool control = (event.modifiers() & Qt::ControlModifier) != 0;
  switch (event.key()) {
    case Qt::Key_Tab:
      if (control) return (event.modifiers() & Qt::ShiftModifier) != 0 ? Key::kPreviousPage : Key::kNextPage;
      return Key::kTab;
    case Qt::Key_Backtab:
      return control ? Key::kPreviousPage : Key::kBackTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::kEnter;
    case Qt::Key_Escape:
      return Key::kEscape;
    case Qt::Key_Backspace:
      return Key::kBackspace;
    case Qt::Key_F2:
      return Key::kF2;
    case Qt::Key_F5:
      return Key::kF5;
    case Qt::Key_Space:
      return Key::kSpace;
    case Qt::Key_Up:
      return Key::kUp;
    case Qt::Key_Down:
      return Key::kDown;
    case Qt::Key_Left:
      return Key::kLeft;
    case Qt::Key_Right:
      return Key::kRight;
    default:
      return Key::kOther;
  }
}

bool ButtonOf(Qt::MouseButton qt_button, MouseButton& button) {
  switch (qt_button) {
    case Qt::LeftButton:
      button = MouseButton::kLeft;
      return true;
    case Qt::RightButton:
      button = MouseButton::kRight;
      return true;
    case Qt::MiddleButton:
      button = MouseButton::kMiddle;
      return true;
    default:
      return false;
  }
}

}  // namespace app::qt
