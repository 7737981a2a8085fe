#include "toolkit/shape.h"
#include "toolkit/system_colours.h"

namespace app {

namespace {
constexpr int kCornerRadius = 4;
}  // namespace

Shape::Shape(Kind kind, WinControl* parent) : GraphicControl(parent), kind_(kind) {}

void Shape::SetFill(BgrColor color) {
  fill_ = color;
  Invalidate();
}

void Shape::SetOutline(BgrColor color) {
  outline_ = color;
  Invalidate();
}

void Shape::SetOutlineOnly(bool outline_only) {
  outline_only_ = outline_only;
  Invalidate();
}

void Shape::Paint(Canvas& canvas) {
  const Rect box = Bounds().Local();
  const BgrColor fill = GroundColour(fill_);
  const BgrColor outline = TextColour(outline_);
  if (kind_ == Kind::kRoundSquare) {
    if (!outline_only_) canvas.FillRect(box.Adjusted(-1, -1), fill);
    canvas.FrameRoundRect(box, kCornerRadius, outline);
    return;
  }
  if (!outline_only_) canvas.FillRect(box, fill);
  canvas.FrameRect(box, outline);
}

}  // namespace app
