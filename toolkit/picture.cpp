#include "toolkit/picture.h"

#include <utility>

#include "toolkit/system_colours.h"

namespace app {

namespace {
constexpr BgrColor kRuleDark = FromRgb(160, 160, 160);
constexpr BgrColor kRuleLight = FromRgb(255, 255, 255);
}  // namespace

Picture::Picture(Image image, WinControl* parent) : GraphicControl(parent), image_(std::move(image)) {}

void Picture::Paint(Canvas& canvas) {
  if (DecorationShown()) canvas.DrawImage(image_, Bounds().Local());
}

BevelLine::BevelLine(Orientation orientation, WinControl* parent)
    : GraphicControl(parent), orientation_(orientation) {
  SetMouseTransparent(true);
}

void BevelLine::Paint(Canvas& canvas) {
  const int right = Width() - 1;
  const int bottom = Height() - 1;
  if (orientation_ == Orientation::kHorizontal) {
    canvas.DrawLine({0, 0}, {right, 0}, kRuleDark);
    canvas.DrawLine({0, 1}, {right, 1}, kRuleLight);
  } else {
    canvas.DrawLine({0, 0}, {0, bottom}, kRuleDark);
    canvas.DrawLine({1, 0}, {1, bottom}, kRuleLight);
  }
}

}  // namespace app
