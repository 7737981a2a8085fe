#include "toolkit/shape.h"

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
  if (kind_ == Kind::kRoundSquare) {
    if (!outline_only_) canvas.FillRect(box.Adjusted(-1, -1), fill_);
    canvas.FrameRoundRect(box, kCornerRadius, outline_);
    return;
  }
  if (!outline_only_) canvas.FillRect(box, fill_);
  canvas.FrameRect(box, outline_);
}

}  // namespace app
