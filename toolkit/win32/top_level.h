#pragma once

#include "toolkit/win32/peer.h"

namespace app::win32 {

class PushButtonPeer;

// A top-level window without a system frame: a popup window with a task-bar
// button, painted by the toolkit like a panel, of the size it is given.
class TopLevelPeer final : public Peer<NativeTopLevel> {
 public:
  TopLevelPeer(Win32Backend& backend, NativeEvents& events, Size client);
  ~TopLevelPeer() override;

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

  // The button that Enter presses when no control used the key; nullptr for
  // none. A button names itself when it is made the default one.
  void SetDefaultButton(PushButtonPeer* button, bool is_default);
  // Presses the default button, if any; true when there was one.
  bool PressDefaultButton();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  PushButtonPeer* default_button_ = nullptr;
  bool modal_ended_ = true;
  bool was_minimised_ = false;
};

}  // namespace app::win32
