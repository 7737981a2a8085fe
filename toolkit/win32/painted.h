#pragma once

#include "toolkit/win32/peer.h"

namespace app::win32 {

// A child window that the toolkit paints: its paint and mouse input go to
// its control through NativeEvents.
class PaintedPeer : public Peer<NativeWindow> {
 public:
  PaintedPeer(Win32Backend& backend, HWND parent, NativeEvents& events);
};

}  // namespace app::win32
