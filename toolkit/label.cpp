#include "toolkit/label.h"

#include <utility>

#include "toolkit/backend.h"

namespace app {

Label::Label(std::string text, WinControl* parent) : GraphicControl(parent), text_(std::move(text)) {
  style_.v_align = VAlign::kCentre;
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

void Label::Paint(Canvas& canvas) { canvas.DrawText(Bounds().Local(), text_, style_); }

StaticText::StaticText(std::string text, WinControl* parent) : Label(std::move(text), parent) {
  SetWordWrap(true);
  SetAlignment(HAlign::kLeft, VAlign::kTop);
}

}  // namespace app
