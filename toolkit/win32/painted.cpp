#include "toolkit/win32/painted.h"

#include "toolkit/win32/peers.h"

namespace app::win32 {

namespace {
constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}  // namespace

PaintedPeer::PaintedPeer(Win32Backend& backend, HWND parent, NativeEvents& events)
    : Peer(backend, events, true) {
  Create(0, kPaintedClass, kStyle, parent, true);
}

HWND HandleOf(NativeWindow& window) {
  auto* core = dynamic_cast<PeerCore*>(&window);
  return core != nullptr ? core->Hwnd() : nullptr;
}

std::unique_ptr<NativeWindow> MakePainted(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<PaintedPeer>(backend, parent, events);
}

}  // namespace app::win32
