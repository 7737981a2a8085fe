#include "toolkit/scroll_box.h"

#include "toolkit/backend.h"
#include "toolkit/system_colours.h"

namespace app {

namespace {
constexpr BgrColor kFlatEdge = FromRgb(160, 160, 160);
constexpr BgrColor kEdgeLight = FromRgb(255, 255, 255);
constexpr BgrColor kEdgeDark = FromRgb(128, 128, 128);

void DrawEdge(Canvas& canvas, const Rect& box, BgrColor top_left, BgrColor bottom_right) {
  const Point tl{0, 0};
  const Point tr{box.width - 1, 0};
  const Point bl{0, box.height - 1};
  const Point br{box.width - 1, box.height - 1};
  canvas.DrawLine(tl, tr, top_left);
  canvas.DrawLine(tl, bl, top_left);
  canvas.DrawLine(bl, br, bottom_right);
  canvas.DrawLine(tr, br, bottom_right);
}
}  // namespace

ScrollBox::ScrollBox(WinControl* parent) : WinControl(parent) {
  AttachNative(CurrentBackend().CreatePainted(parent->Native(), *this));
  SetAccessible(AccessibleRole::kPanel);
}

void ScrollBox::SetColor(BgrColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void ScrollBox::SetBevel(Bevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  Invalidate();
}

void ScrollBox::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void ScrollBox::PaintBackground(Canvas& canvas) {
  if (transparent_) return;
  const Rect box = Bounds().Local();
  canvas.FillRect(box, GroundColour(color_));
  switch (bevel_) {
    case Bevel::kNone:
      break;
    case Bevel::kFlat:
      canvas.FrameRect(box, kFlatEdge);
      break;
    case Bevel::kLowered:
      DrawEdge(canvas, box, kEdgeDark, kEdgeLight);
      break;
    case Bevel::kTiled:
      DrawEdge(canvas, box, kEdgeLight, kEdgeDark);
      break;
  }
}

}  // namespace app
