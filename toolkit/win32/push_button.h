#pragma once

#include "toolkit/win32/peer.h"

namespace app::win32 {

// A push button of the system (BUTTON); the default one has the heavier
// edge (BS_DEFPUSHBUTTON) and Enter in its window presses it.
class PushButtonPeer final : public Peer<NativePushButton> {
 public:
  PushButtonPeer(Win32Backend& backend, HWND parent, NativeEvents& events);
  ~PushButtonPeer() override;

  void SetCaption(const std::string& caption) override;
  void SetDefault(bool is_default) override;
  // What a click does: runs on_click.
  void Press();

  bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
};

}  // namespace app::win32
