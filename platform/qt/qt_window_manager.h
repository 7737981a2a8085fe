#pragma once

#include "platform/qt/minimised_group.h"
#include "platform/qt/pointer_drag.h"
#include "platform/window_manager.h"

class QWidget;

namespace platform {

// Window moves and the application's minimise on Qt.
class QtWindowManager final : public WindowManager {
 public:
  QtWindowManager() = default;

  // Hands the move to the window system's interactive move; where the
  // window system refuses it (the offscreen platform, some X11 window
  // managers) the window follows the pointer by itself until the mouse
  // buttons are released. `window` may be any widget of the window to move;
  // null does nothing.
  void StartDrag(QWidget* window) override;

  // Minimises every visible window of the program together; restoring any
  // one of them brings the others back.
  void MinimiseAll() override;

  // True while a window follows the pointer without the window system's help.
  bool dragging() const { return drag_.active(); }

 private:
  PointerDrag drag_;
  MinimisedGroup minimised_;
};

}  // namespace platform
