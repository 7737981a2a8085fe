#include "toolkit/qt/canvas.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <string>

#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"

namespace app::qt {

void QtCanvas::FillRect(const Rect& rect, BgrColor color) { painter_.fillRect(ToQRect(rect), ToQColor(color)); }

// Straight lines and frames are filled as rectangles of whole layout
// pixels, never stroked: on a scaled screen (1.5 device pixels to a layout
// pixel) a stroked one-pixel line may fall between the device rows that
// the control's clip keeps, and vanish, while a fill covers the same device
// pixels as the control's own area does.
void QtCanvas::DrawLine(Point from, Point to, BgrColor color) {
  if (from.x != to.x && from.y != to.y) {
    painter_.setPen(ToQColor(color));
    painter_.drawLine(ToQPoint(from), ToQPoint(to));
    return;
  }
  // Both ends included, as a stroked line has them.
  const QRect line = QRect(ToQPoint(from), ToQPoint(to)).normalized();
  painter_.fillRect(line, ToQColor(color));
}

void QtCanvas::FrameRect(const Rect& rect, BgrColor color) {
  const QRect r = ToQRect(rect);
  if (r.isEmpty()) return;
  const QColor c = ToQColor(color);
  painter_.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
  painter_.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
  painter_.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
  painter_.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

void QtCanvas::FrameRoundRect(const Rect& rect, int radius, BgrColor color) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setPen(ToQColor(color));
  painter_.setBrush(Qt::NoBrush);
  const QRectF outline = QRectF(ToQRect(rect).adjusted(0, 0, -1, -1)).adjusted(0.5, 0.5, -0.5, -0.5);
  painter_.drawRoundedRect(outline, radius, radius);
  painter_.restore();
}

// On a screen of more than one device pixel to a layout pixel the picture
// drawn at twice its pixels takes the same layout box, smoothly scaled where
// the screen is not exactly double; at one to one the image is drawn as
// ever.
void QtCanvas::DrawImage(const Image& image, const Rect& target) {
  if (image.IsNull()) return;
  const Image* twice = image.Double();
  if (twice == nullptr || painter_.device()->devicePixelRatio() <= 1) {
    painter_.drawImage(ToQRect(target), ViewOf(image));
    return;
  }
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  painter_.drawImage(ToQRect(target), ViewOf(*twice));
  painter_.restore();
}

void QtCanvas::DrawText(const Rect& box, std::string_view text, const TextStyle& style) {
  int flags = 0;
  switch (style.h_align) {
    case HAlign::kLeft:
      flags |= Qt::AlignLeft;
      break;
    case HAlign::kCentre:
      flags |= Qt::AlignHCenter;
      break;
    case HAlign::kRight:
      flags |= Qt::AlignRight;
      break;
  }
  flags |= style.v_align == VAlign::kTop ? Qt::AlignTop : Qt::AlignVCenter;
  if (style.wrap) flags |= Qt::TextWordWrap;
  painter_.setFont(ToQFont(style.font));
  painter_.setPen(ToQColor(style.color));
  painter_.drawText(ToQRect(box), flags, ToQString(std::string(text)));
}

void QtCanvas::DrawFocusRect(const Rect& rect) {
  painter_.save();
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  Canvas::DrawFocusRect(rect);
  painter_.restore();
}

void QtCanvas::FocusDot(Point at) { painter_.fillRect(QRect(at.x, at.y, 1, 1), Qt::white); }

void QtCanvas::DrawButtonFace(const Rect& rect, FaceState state) {
  QStyleOptionButton option;
  option.initFrom(&widget_);
  option.rect = ToQRect(rect);
  option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
  option.state |= state == FaceState::kSunken ? QStyle::State_Sunken : QStyle::State_Raised;
  widget_.style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter_, &widget_);
}

void QtCanvas::Save(Point offset, const Rect& clip) {
  painter_.save();
  painter_.translate(offset.x, offset.y);
  painter_.setClipRect(ToQRect(clip), Qt::IntersectClip);
}

void QtCanvas::Restore() { painter_.restore(); }

}  // namespace app::qt
