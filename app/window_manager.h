#pragma once

namespace app {

class BorderlessWindow;

// What the borderless windows ask of the window system: moving a window
// with the pointer and minimising the program as a whole. The program uses
// ToolkitWindowManager; the window tests record the requests instead.
class WindowManager {
 public:
  WindowManager() = default;
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  virtual ~WindowManager() = default;

  // Starts moving `window` with the pointer while the mouse button that was
  // just pressed stays down (the caption drag of a window without a frame).
  virtual void StartDrag(BorderlessWindow& window) = 0;

  // Takes every window of the program that is on screen off it together; they
  // come back together when the program is restored from the task bar.
  virtual void MinimiseAll() = 0;

  // True when a window hidden and shown again comes back where it was
  // (false on Wayland, where the compositor places it anew).
  virtual bool HiddenWindowsKeepTheirPlace() { return true; }
};

// The window manager of the running program: the window system's own move
// and the front end's minimise of the whole program.
class ToolkitWindowManager final : public WindowManager {
 public:
  void StartDrag(BorderlessWindow& window) override;
  void MinimiseAll() override;
  bool HiddenWindowsKeepTheirPlace() override;
};

}  // namespace app
