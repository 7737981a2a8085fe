#pragma once

#include "toolkit/canvas.h"
#include "toolkit/geometry.h"
#include "toolkit/image.h"

namespace app {

class Label;
class Picture;
class Shape;
class WinControl;

// Where the parts of a window's own title bar lie, in window coordinates.
struct TitleBarLayout {
  Rect glossy_picture;
  Rect navy_picture;
  bool glossy_in_front;  // which picture covers the other until a skin chooses
  const char* caption;
  Point caption_at;
  const char* close_mark;  // UTF-8
  Rect close_mark_box;
  int close_mark_points;
  bool close_mark_bold;
  VAlign close_mark_v_align;  // the mark is left-aligned in its box
  Rect close_mark_outline;    // the rounded square drawn around the mark
};

// The parts of a title bar, owned by their window.
struct TitleBar {
  Picture* glossy = nullptr;
  Picture* navy = nullptr;
  Label* caption = nullptr;
  Shape* outline = nullptr;  // lets the mouse through to what lies beneath
  Label* close_mark = nullptr;
};

// Builds the title bar of a window without a system frame: both title
// pictures (stacked as the layout says), the caption, and the close mark in
// its outline, in front of every graphic control made on the window before.
// `glossy` and `navy` are the two title pictures.
TitleBar BuildTitleBar(WinControl* window, const TitleBarLayout& layout, const Image& glossy, const Image& navy);

}  // namespace app
