#include "toolkit/splitter.h"

#include <algorithm>

#include "toolkit/backend.h"
#include "toolkit/system_colours.h"

namespace app {

Splitter::Splitter(Orientation orientation, int handle_width, int minimum, WinControl* parent)
    : WinControl(parent), orientation_(orientation), handle_width_(handle_width), minimum_(minimum) {
  AttachNative(CurrentBackend().CreatePainted(parent->Native(), *this));
}

void Splitter::SetColor(BgrColor color) {
  color_ = color;
  Invalidate();
}

int Splitter::Length() const { return orientation_ == Orientation::kHorizontal ? Height() : Width(); }

int Splitter::Along(Point at) const { return orientation_ == Orientation::kHorizontal ? at.y : at.x; }

void Splitter::SetFirstPaneSize(int first) {
  first_ = first;
  Layout();
}

void Splitter::MoveHandleTo(int position) {
  SetFirstPaneSize(position);
  Moved();
}

void Splitter::Layout() {
  // Nothing to lay out before the splitter has its size; the first pane's
  // size waits for it.
  if (Length() <= 0) return;
  // The minimum of the second pane wins over the first's when the splitter
  // is too short for both.
  first_ = std::max(first_, minimum_);
  first_ = std::min(first_, Length() - handle_width_ - minimum_);
  std::vector<Control*> panes;
  for (Control* child : Children()) {
    if (child->IsWindowed() && panes.size() < 2) panes.push_back(child);
  }
  const int second_start = first_ + handle_width_;
  const int second = std::max(0, Length() - second_start);
  if (orientation_ == Orientation::kHorizontal) {
    if (!panes.empty()) panes[0]->SetBounds(Rect(0, 0, Width(), first_));
    if (panes.size() > 1) panes[1]->SetBounds(Rect(0, second_start, Width(), second));
  } else {
    if (!panes.empty()) panes[0]->SetBounds(Rect(0, 0, first_, Height()));
    if (panes.size() > 1) panes[1]->SetBounds(Rect(second_start, 0, second, Height()));
  }
  Invalidate();
}

void Splitter::Moved() {
  if (on_moved) on_moved();
}

void Splitter::BoundsChanged() {
  WinControl::BoundsChanged();
  Layout();
}

void Splitter::PaintBackground(Canvas& canvas) { canvas.FillRect(Bounds().Local(), GroundColour(color_)); }

void Splitter::BackgroundMouseDown(Point at, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  dragging_ = true;
  grip_ = Along(at) - first_;
}

void Splitter::BackgroundMouseMove(Point at) {
  if (!dragging_) return;
  const int position = Along(at) - grip_;
  if (position == first_) return;
  MoveHandleTo(position);
}

void Splitter::BackgroundMouseUp(Point, MouseButton button) {
  if (button != MouseButton::kLeft || !dragging_) return;
  dragging_ = false;
  Moved();
}

}  // namespace app
