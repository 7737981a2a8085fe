#include "toolkit/label.h"

#include <algorithm>
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

void Label::SetElidedInTheMiddle(bool elided) {
  elided_in_the_middle_ = elided;
  Invalidate();
}

namespace {
constexpr char kEllipsis[] = "...";
// True where a UTF-8 character may start (no continuation byte).
bool StartsCharacter(const std::string& text, std::size_t at) {
  return at == 0 || at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}
}  // namespace

std::string ElideInTheMiddle(const std::string& text, int width, const Font& font) {
  Backend& backend = CurrentBackend();
  if (backend.MeasureText(text, font).width <= width) return text;
  // The end takes half the room, or more where the item's name (after the
  // last backslash) needs it; the start fills what is left.
  const std::size_t name = text.rfind('\\');
  const int end_room =
      name == std::string::npos ? width / 2
                                : std::max(width / 2, backend.MeasureText(kEllipsis + text.substr(name), font).width);
  std::size_t tail = text.size();
  while (tail > 0 && backend.MeasureText(kEllipsis + text.substr(tail - 1), font).width <= std::min(end_room, width)) {
    --tail;
  }
  while (!StartsCharacter(text, tail)) ++tail;
  const std::string end = kEllipsis + text.substr(tail);
  std::size_t head = 0;
  while (head < tail && backend.MeasureText(text.substr(0, head + 1) + end, font).width <= width) ++head;
  while (!StartsCharacter(text, head)) --head;
  return text.substr(0, head) + end;
}

void Label::AutoSize() {
  SetBounds(Rect(Bounds().TopLeft(), CurrentBackend().MeasureText(text_, style_.font)));
}

void Label::Paint(Canvas& canvas) {
  const Rect box = Bounds().Local();
  TextStyle style = style_;
  style.color = TextColour(style_.color);
  canvas.DrawText(box, elided_in_the_middle_ ? ElideInTheMiddle(text_, box.width, style_.font) : text_, style);
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
