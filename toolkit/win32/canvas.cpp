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

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), base_level_(::SaveDC(dc)) {
  ::SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
  if (base_level_ != 0) ::RestoreDC(dc_, base_level_);
}

void GdiCanvas::FillRect(const Rect& rect, BgrColor color) {
  if (rect.IsEmpty()) return;
  const RECT r = ToRect(rect);
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
  const RECT r = ToRect(rect);
  ::SetDCBrushColor(dc_, color);
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void GdiCanvas::FrameRoundRect(const Rect& rect, int radius, BgrColor color) {
  if (rect.IsEmpty()) return;
  ::SetDCPenColor(dc_, color);
  const HGDIOBJ old_pen = ::SelectObject(dc_, ::GetStockObject(DC_PEN));
  const HGDIOBJ old_brush = ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
  ::RoundRect(dc_, rect.left, rect.top, rect.Right(), rect.Bottom(), 2 * radius, 2 * radius);
  ::SelectObject(dc_, old_brush);
  ::SelectObject(dc_, old_pen);
}

void GdiCanvas::DrawImage(const Image& image, const Rect& target) {
  if (image.IsNull() || target.IsEmpty()) return;
  DibSurface source(image.GetSize());
  if (!source.Ok()) return;
  CopyPremultiplied(image, source);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, kOpaqueAlpha, AC_SRC_ALPHA};
  ::AlphaBlend(dc_, target.left, target.top, target.width, target.height, source.Dc(), 0, 0, image.Width(),
               image.Height(), blend);
}

void GdiCanvas::DrawText(const Rect& box, std::string_view text, const TextStyle& style) {
  if (box.IsEmpty() || text.empty()) return;
  std::wstring wide = ToWide(text);
  const HGDIOBJ old_font = ::SelectObject(dc_, FontHandle(style.font));
  ::SetTextColor(dc_, style.color);
  const UINT flags = AlignmentFlags(style);
  RECT r = ToRect(box);
  if (style.v_align == VAlign::kCentre) {
    // DrawText centres single lines only; a wrapped text is measured first.
    RECT measured = r;
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    r.top += std::max(0, (box.height - height) / 2);
  }
  ::SaveDC(dc_);
  ::IntersectClipRect(dc_, box.left, box.top, box.Right(), box.Bottom());
  ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, flags);
  ::RestoreDC(dc_, -1);
  ::SelectObject(dc_, old_font);
}

void GdiCanvas::DrawButtonFace(const Rect& rect, FaceState state) {
  if (rect.IsEmpty()) return;
  RECT r = ToRect(rect);
  ::DrawFrameControl(dc_, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (state == FaceState::kSunken ? DFCS_PUSHED : 0));
}

void GdiCanvas::Save(Point offset, const Rect& clip) {
  ::SaveDC(dc_);
  ++saved_;
  POINT old{};
  ::OffsetViewportOrgEx(dc_, offset.x, offset.y, &old);
  ::IntersectClipRect(dc_, clip.left, clip.top, clip.Right(), clip.Bottom());
}

void GdiCanvas::Restore() {
  if (saved_ == 0) return;
  ::RestoreDC(dc_, -1);
  --saved_;
}

}  // namespace app::win32
