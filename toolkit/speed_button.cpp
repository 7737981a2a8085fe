#include "toolkit/speed_button.h"

#include <utility>

#include "toolkit/backend.h"
#include "toolkit/system_colours.h"

namespace app {

namespace {
constexpr BgrColor kEdgeLight = FromRgb(255, 255, 255);
constexpr BgrColor kEdgeDark = FromRgb(128, 128, 128);
}  // namespace

SpeedButton::SpeedButton(std::string caption, WinControl* parent)
    : GraphicControl(parent), caption_(std::move(caption)) {
  SetAccessible(AccessibleRole::kPushButton);
}

std::string SpeedButton::AccessibleName() const {
  const std::string name = Control::AccessibleName();
  return name.empty() ? caption_ : name;
}

void SpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void SpeedButton::SetPicture(Image picture, int picture_top, int caption_top) {
  picture_ = std::move(picture);
  picture_top_ = picture_top;
  caption_top_ = caption_top;
  Invalidate();
}

void SpeedButton::SetFontColor(BgrColor color) {
  font_color_ = color;
  Invalidate();
}

void SpeedButton::Paint(Canvas& canvas) {
  const bool down = Pressed();
  const Rect box = Bounds().Local();
  if (!flat_) {
    canvas.DrawButtonFace(box, down ? FaceState::kSunken : FaceState::kRaised);
  } else if (Hot() || down) {
    // The thin edge of a flat button under the pointer: raised, or sunk
    // while pressed.
    const Point top_left{0, 0};
    const Point top_right{box.width - 1, 0};
    const Point bottom_left{0, box.height - 1};
    const Point bottom_right{box.width - 1, box.height - 1};
    canvas.DrawLine(top_left, top_right, down ? kEdgeDark : kEdgeLight);
    canvas.DrawLine(top_left, bottom_left, down ? kEdgeDark : kEdgeLight);
    canvas.DrawLine(bottom_left, bottom_right, down ? kEdgeLight : kEdgeDark);
    canvas.DrawLine(top_right, bottom_right, down ? kEdgeLight : kEdgeDark);
  }
  const int shift = down ? 1 : 0;
  TextStyle style;
  style.color = flat_ && font_color_ ? TextColour(*font_color_) : CurrentBackend().SystemColour(SystemColor::kButtonText);
  style.h_align = HAlign::kCentre;
  if (picture_.IsNull()) {
    style.v_align = VAlign::kCentre;
    canvas.DrawText(box.Translated(shift, shift), caption_, style);
    return;
  }
  const int x = (box.width - picture_.Width()) / 2;
  canvas.DrawImage(picture_, Rect(x + shift, picture_top_ + shift, picture_.Width(), picture_.Height()));
  const Rect caption(0, caption_top_, box.width, box.height - caption_top_);
  style.v_align = VAlign::kTop;
  canvas.DrawText(caption.Translated(shift, shift), caption_, style);
}

}  // namespace app
