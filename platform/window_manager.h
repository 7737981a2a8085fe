#pragma once

class QWidget;

namespace platform {

// What the borderless windows ask of the window system.
class WindowManager {
 public:
  WindowManager() = default;
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  virtual ~WindowManager() = default;

  // Starts moving the window with the pointer while the mouse button that was
  // just pressed stays down (the caption drag of a window without a frame).
  virtual void StartDrag(QWidget* window) = 0;

  // Takes every window of the program that is on screen off it together; they
  // come back together when the program is restored from the task bar.
  virtual void MinimiseAll() = 0;
};

}  // namespace platform
