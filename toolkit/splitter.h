#pragma once

#include <functional>

#include "toolkit/colors.h"
#include "toolkit/control.h"

namespace app {

// Two panes with a handle between them that the user drags with the left
// button; the panes are resized live while it moves. A horizontal splitter
// has its panes above and below its handle. Neither pane ever gets smaller
// than the minimum. The panes are the first two windowed controls made on
// the splitter; the first keeps its size when the splitter changes size.
class Splitter : public WinControl {
 public:
  Splitter(Orientation orientation, int handle_width, int minimum, WinControl* parent);

  // The handle's colour (0x00BBGGRR).
  void SetColor(BgrColor color);
  // Gives the first pane `first` pixels and the second the rest.
  void SetFirstPaneSize(int first);
  // Moves the handle as a drag to `position` would (clamped to the
  // minimum), and reports the move.
  void MoveHandleTo(int position);

  // The panes changed size: during a drag at every step, and once more when
  // the handle is released.
  std::function<void()> on_moved;

 protected:
  void PaintBackground(Canvas& canvas) override;
  void BackgroundMouseDown(Point at, MouseButton button) override;
  void BackgroundMouseMove(Point at) override;
  void BackgroundMouseUp(Point at, MouseButton button) override;
  void BoundsChanged() override;

 private:
  // The splitter's length along its panes (height for a horizontal one).
  int Length() const;
  int Along(Point at) const;
  // Places both panes around the handle at first_.
  void Layout();
  void Moved();

  Orientation orientation_;
  int handle_width_;
  int minimum_;
  int first_ = 0;
  BgrColor color_ = kLightGrey;
  bool dragging_ = false;
  int grip_ = 0;  // where in the handle the drag took hold
};

}  // namespace app
