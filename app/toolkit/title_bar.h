#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace app {

class Label;
class Picture;
class Shape;

// Where the parts of a window's own title bar lie, in window coordinates.
struct TitleBarLayout {
  QRect glossy_picture;
  QRect navy_picture;
  bool glossy_in_front;  // which picture covers the other until a skin chooses
  const char* caption;
  QPoint caption_at;
  const char* close_mark;  // UTF-8
  QRect close_mark_box;
  int close_mark_points;
  bool close_mark_bold;
  Qt::Alignment close_mark_alignment;
  QRect close_mark_outline;  // the rounded square drawn around the mark
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
// its outline, in front of everything made on the window before.
TitleBar BuildTitleBar(QWidget* window, const TitleBarLayout& layout);

}  // namespace app
