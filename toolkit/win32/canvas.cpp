#include "toolkit/win32/canvas.h"

#include <algorithm>
#include <string>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr BYTE kOpaqueAlpha = 255;

UINT AlignmentFlags(const TextStyle& style) {
  UINT flags = DT_NOPREFIX;  // the program's texts show "&" as it is
  switch (style.h_align) {
    case HAlign::kLeft: flags |= DT_LEFT; break;
    case HAlign::kCentre: flags |= DT_CENTER; break;
    case HAlign::kRight: flags |= DT_RIGHT; break;
  }
  flags |= style.wrap ? DT_WORDBREAK : DT_SINGLELINE;
  return flags;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, Scale scale) : dc_(dc), scale_(scale), base_level_(::SaveDC(dc)) {
  ::SetBkMode(dc_, TRANSPARENT);
}

RECT GdiCanvas::Device(const Rect& rect) const {
  const Point origin = origins_.back();
  return ToRect(scale_.ToScreen(Rect(rect.left + origin.x, rect.top + origin.y, rect.width, rect.height)));
}

GdiCanvas::~GdiCanvas() {
  if (base_level_ != 0) ::RestoreDC(dc_, base_level_);
}

void GdiCanvas::FillRect(const Rect& rect, BgrColor color) {
  if (rect.IsEmpty()) return;
  const RECT r = Device(rect);
  ::SetDCBrushColor(dc_, color);
  ::FillRect(dc_, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void GdiCanvas::DrawLine(Point from, Point to, BgrColor color) {
  const int left = std::min(from.x, to.x);
  const int top = std::min(from.y, to.y);
  FillRect(Rect(left, top, std::max(from.x, to.x) - left + 1, std::max(from.y, to.y) - top + 1), color);
}

void GdiCanvas::FrameRect(const Rect& rect, BgrColor color) {
  if (rect.IsEmpty()) return;
  // Edges one layout pixel wide: wider on a scaled screen.
  FillRect(Rect(rect.left, rect.top, rect.width, 1), color);
  FillRect(Rect(rect.left, rect.Bottom() - 1, rect.width, 1), color);
  FillRect(Rect(rect.left, rect.top, 1, rect.height), color);
  FillRect(Rect(rect.Right() - 1, rect.top, 1, rect.height), color);
}

void GdiCanvas::FrameRoundRect(const Rect& rect, int radius, BgrColor color) {
  if (rect.IsEmpty()) return;
  const RECT r = Device(rect);
  const int corner = scale_.ToScreen(2 * radius);
  // A line one layout pixel wide, inside the box as at 1x.
  HPEN wide = scale_.IsOne() ? nullptr : ::CreatePen(PS_INSIDEFRAME, scale_.ToScreen(1), color);
  ::SetDCPenColor(dc_, color);
  const HGDIOBJ old_pen = ::SelectObject(dc_, wide != nullptr ? static_cast<HGDIOBJ>(wide) : ::GetStockObject(DC_PEN));
  const HGDIOBJ old_brush = ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
  ::RoundRect(dc_, r.left, r.top, r.right, r.bottom, corner, corner);
  ::SelectObject(dc_, old_brush);
  ::SelectObject(dc_, old_pen);
  if (wide != nullptr) ::DeleteObject(wide);
}

void GdiCanvas::DrawImage(const Image& image, const Rect& target) {
  if (image.IsNull() || target.IsEmpty()) return;
  // Above 1x the picture's double-size pixels, where it has them.
  const Image& shown = scale_.AboveOne() && image.Double() != nullptr ? *image.Double() : image;
  DibSurface source(shown.GetSize());
  if (!source.Ok()) return;
  CopyPremultiplied(shown, source);
  const RECT r = Device(target);
  ::SetStretchBltMode(dc_, HALFTONE);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, kOpaqueAlpha, AC_SRC_ALPHA};
  ::AlphaBlend(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Dc(), 0, 0, shown.Width(),
               shown.Height(), blend);
}

void GdiCanvas::DrawText(const Rect& box, std::string_view text, const TextStyle& style) {
  if (box.IsEmpty() || text.empty()) return;
  std::wstring wide = ToWide(text);
  const HGDIOBJ old_font = ::SelectObject(dc_, FontHandle(style.font, scale_));
  ::SetTextColor(dc_, style.color);
  const UINT flags = AlignmentFlags(style);
  const RECT whole = Device(box);
  RECT r = whole;
  if (style.v_align == VAlign::kCentre) {
    // DrawText centres single lines only; a wrapped text is measured first.
    RECT measured = r;
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    r.top += std::max(0, static_cast<int>((whole.bottom - whole.top) - height) / 2);
  }
  ::SaveDC(dc_);
  ::IntersectClipRect(dc_, whole.left, whole.top, whole.right, whole.bottom);
  ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, flags);
  ::RestoreDC(dc_, -1);
  ::SelectObject(dc_, old_font);
}

void GdiCanvas::DrawButtonFace(const Rect& rect, FaceState state) {
  if (rect.IsEmpty()) return;
  RECT r = Device(rect);
  ::DrawFrameControl(dc_, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (state == FaceState::kSunken ? DFCS_PUSHED : 0));
}

void GdiCanvas::Save(Point offset, const Rect& clip) {
  ::SaveDC(dc_);
  ++saved_;
  const Point origin = origins_.back();
  origins_.push_back(Point{origin.x + offset.x, origin.y + offset.y});
  const RECT r = Device(clip);
  ::IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::Restore() {
  if (saved_ == 0) return;
  ::RestoreDC(dc_, -1);
  origins_.pop_back();
  --saved_;
}

}  // namespace app::win32
