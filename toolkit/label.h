#pragma once

#include <string>

#include "toolkit/canvas.h"
#include "toolkit/control.h"

namespace app {

// A line of text without a window of its own, drawn over whatever lies
// beneath it (no background), in its font and colour, placed in its box as
// its alignment says (left and vertically centred unless told otherwise).
class Label : public GraphicControl {
 public:
  Label(std::string text, WinControl* parent);

  const std::string& Text() const { return text_; }
  // The text, byte for byte as the program keeps it.
  void SetText(std::string text);
  const Font& GetFont() const { return style_.font; }
  void SetFont(const Font& font);
  // The text colour (0x00BBGGRR).
  BgrColor FontColor() const { return style_.color; }
  void SetFontColor(BgrColor color);
  void SetAlignment(HAlign h_align, VAlign v_align);
  // Breaks the text into lines at blanks to fit the width.
  void SetWordWrap(bool wrap);
  // A one-line text (a path) too long for the box shows its start and its
  // end with "..." between, so that the item's name stays in sight; a screen
  // reader still reads it whole.
  void SetElidedInTheMiddle(bool elided);
  // Font, colour, alignment and wrapping together, as the label draws.
  const TextStyle& Style() const { return style_; }

  // Gives the label the size of its text on one line, keeping its top-left
  // corner where it is.
  void AutoSize();
  // Underlines the character at `index` (a one-line text's access key)
  // while its window shows keyboard cues; -1 for none.
  void SetUnderlined(int index) { underlined_ = index; }

  void Paint(Canvas& canvas) override;
  // The name given, else the text.
  std::string AccessibleName() const override;

 private:
  std::string text_;
  TextStyle style_;
  int underlined_ = -1;
  bool elided_in_the_middle_ = false;
};

// `text` as it fits `width` pixels in `font`: whole where it fits, else its
// start and its end joined by "...", the end keeping the item's name (after
// the last backslash) where room allows. Multi-byte characters are never cut.
std::string ElideInTheMiddle(const std::string& text, int width, const Font& font);

// Static text: a label that breaks its text into lines inside its box,
// from the top-left corner.
class StaticText : public Label {
 public:
  StaticText(std::string text, WinControl* parent);
};

}  // namespace app
