#include "toolkit/label.h"

#include <utility>

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"
#include "toolkit/system_colours.h"

namespace app {

namespace {
// The underline of an access key lies this far above the line's bottom.
constexpr int kUnderlineLift = 2;
}  // namespace

Label::Label(std::string text, WinControl* parent) : GraphicControl(parent), text_(std::move(text)) {
  style_.v_align = VAlign::kCentre;
  SetAccessible(AccessibleRole::kLabel);
}

std::string Label::AccessibleName() const {
  const std::string name = Control::AccessibleName();
  return name.empty() ? text_ : name;
}

void Label::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Invalidate();
}

void Label::SetFont(const Font& font) {
  style_.font = font;
  Invalidate();
}

void Label::SetFontColor(BgrColor color) {
  if (color == style_.color) return;
  style_.color = color;
  Invalidate();
}

void Label::SetAlignment(HAlign h_align, VAlign v_align) {
  style_.h_align = h_align;
  style_.v_align = v_align;
  Invalidate();
}

void Label::SetWordWrap(bool wrap) {
  style_.wrap = wrap;
  Invalidate();
}

void Label::AutoSize() {
  SetBounds(Rect(Bounds().TopLeft(), CurrentBackend().MeasureText(text_, style_.font)));
}

void Label::Paint(Canvas& canvas) {
  const Rect box = Bounds().Local();
  TextStyle style = style_;
  style.color = TextColour(style_.color);
  canvas.DrawText(box, text_, style);
  const BorderlessWindow* window = Window();
  if (underlined_ < 0 || static_cast<std::size_t>(underlined_) >= text_.size() || window == nullptr ||
      !window->KeyboardCues()) {
    return;
  }
  Backend& backend = CurrentBackend();
  const Size whole = backend.MeasureText(text_, style_.font);
  const int before = backend.MeasureText(text_.substr(0, static_cast<std::size_t>(underlined_)), style_.font).width;
  const int letter = backend.MeasureText(text_.substr(static_cast<std::size_t>(underlined_), 1), style_.font).width;
  int left = 0;
  if (style_.h_align == HAlign::kCentre) left = (box.width - whole.width) / 2;
  if (style_.h_align == HAlign::kRight) left = box.width - whole.width;
  const int top = style_.v_align == VAlign::kCentre ? (box.height - whole.height) / 2 : 0;
  const int y = top + whole.height - kUnderlineLift;
  canvas.DrawLine({left + before, y}, {left + before + letter - 1, y}, style_.color);
}

StaticText::StaticText(std::string text, WinControl* parent) : Label(std::move(text), parent) {
  SetWordWrap(true);
  SetAlignment(HAlign::kLeft, VAlign::kTop);
}

}  // namespace app
