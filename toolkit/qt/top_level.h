#pragma once

#include <QEventLoop>
#include <QPointer>

#include "toolkit/native.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

class PointerDrag;

// A top-level window without a system frame, of a fixed size.
class TopLevelPeer final : public Peer<NativeTopLevel> {
 public:
  TopLevelPeer(NativeEvents& events, Size client, PointerDrag& drag);

  void SetBounds(const Rect& bounds) override;
  // Shown again after the window system brought it back from minimised, the
  // window gets a new native window: on X11 the old one would still ask the
  // window manager to map it minimised, so the program would seem to vanish.
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

 private:
  PointerDrag& drag_;
  QPointer<QEventLoop> loop_;
  bool restored_by_window_system_ = false;
};

}  // namespace app::qt
