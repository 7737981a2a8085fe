#pragma once

#include "toolkit/win32/windows_api.h"

#include <optional>

#include "toolkit/test_driver.h"

namespace app::win32 {

class Win32Backend;

// Drives the Win32 front end for the window tests. Mouse input is sent as
// the window system's own messages to the child window under a point of a
// window's client area (or to the window holding the capture); keys and
// typed characters are posted to the focused window and go through the
// message loop; pictures are copied from the window's own drawing (from its
// device context on the screen, or, for a window off the screen, drawn by
// the window and each of its children through WM_PRINT), in the screen's
// pixels: larger than the layout on a scaled screen.
// The system controls run loops of their own on a button press (to tell a
// click from a drag), so a press on one is held back and sent together
// with its release.
class Win32TestDriver final : public TestDriver {
 public:
  // Puts the backend into message-driven pointer mode and the real pointer
  // out of the way.
  explicit Win32TestDriver(Win32Backend& backend);

  void ProcessEvents() override;
  void MouseMove(BorderlessWindow& window, Point at) override;
  void MousePress(BorderlessWindow& window, Point at, MouseButton button) override;
  void MouseRelease(BorderlessWindow& window, Point at, MouseButton button) override;
  void DoubleClick(BorderlessWindow& window, Point at) override;
  void KeyPress(BorderlessWindow& window, Key key) override;
  void TypeText(BorderlessWindow& window, const std::string& text) override;
  void DropFiles(BorderlessWindow& window, Point at, const std::vector<std::string>& paths) override;
  Image Grab(BorderlessWindow& window) override;
  bool BusyPointerShown() override;
  void UseDarkSystemColours(bool dark) override;
  void UseHighContrast(bool high) override;

  // The window that a point of `top`'s client area reaches, and the point in
  // that window's coordinates.
  static HWND TargetAt(HWND top, POINT client, POINT& local);

 private:
  struct HeldPress {
    HWND target;
    POINT local;
    MouseButton button;
  };

  // A point of the layout in the screen's pixels (the scale of `top`).
  POINT OnScreen(HWND top, Point at) const;
  // Sends a button message the way the system would to `target`.
  void SendButton(HWND target, POINT local, MouseButton button, bool down);
  void LeaveLastTarget(HWND now);

  Win32Backend& backend_;
  WPARAM buttons_ = 0;  // MK_ flags of the buttons held
  HWND last_target_ = nullptr;
  std::optional<HeldPress> held_;
};

}  // namespace app::win32
