#pragma once

#include "toolkit/win32/peer.h"

namespace app::win32 {

class PushButtonPeer;

// A top-level window without a system frame: a popup window with a task-bar
// button, painted by the toolkit like a panel, of the size it is given. It
// has a scale of its own, the dpi of the monitor it stands on: when the
// system says that changed (WM_DPICHANGED), the window and every window in
// it take their places, fonts and pictures again at the new scale.
class TopLevelPeer final : public Peer<NativeTopLevel> {
 public:
  TopLevelPeer(Win32Backend& backend, NativeEvents& events, Size client);
  ~TopLevelPeer() override;

  // Also the window's size from now on, as its layout is.
  void SetBounds(const Rect& bounds) override;
  void SetVisible(bool visible) override;
  void SetTitle(const std::string& title) override;
  Point ScreenPosition() const override;
  void StartSystemMove() override;
  bool IsMinimised() const override;
  void Restore() override;
  void Minimise() override;
  void SetModal(bool modal) override;
  void RunModal() override;
  void EndModal() override;
  void AcceptFileDrops() override;

  // The button that Enter presses when no control used the key; nullptr for
  // none. A button names itself when it is made the default one.
  void SetDefaultButton(PushButtonPeer* button, bool is_default);
  // Presses the default button, if any; true when there was one.
  bool PressDefaultButton();

  // The scale the window and its children are shown at.
  Scale WindowScale() const { return scale_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Shows the window and every window in it at `scale`, its top left corner
  // at `origin` (screen pixels), and repaints them.
  void ChangeScale(Scale scale, POINT origin);
  // The window's size at `scale`: its layout scaled.
  SIZE SizeAt(Scale scale) const;

  Scale scale_;
  Size layout_size_;
  PushButtonPeer* default_button_ = nullptr;
  HWND last_focus_ = nullptr;  // the control that had the focus as the window was left
  bool modal_ended_ = true;
  bool was_minimised_ = false;
};

}  // namespace app::win32
