#include "toolkit/win32/top_level.h"

#include "toolkit/win32/push_button.h"
#include "toolkit/win32/text.h"
#include "toolkit/win32/backend.h"

namespace app::win32 {

namespace {

// A popup window has no frame: its window is its client area. The system
// menu and minimise box give it the task bar's restore and close commands.
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
// The caption drag of a frameless window: a move with the mouse, as from
// the caption.
constexpr WPARAM kMoveFromCaption = SC_MOVE | HTCAPTION;

}  // namespace

TopLevelPeer::TopLevelPeer(Win32Backend& backend, NativeEvents& events, Size client)
    : Peer(backend, events, true) {
  Create(kExStyle, kTopLevelClass, kStyle, nullptr, true);
  const Size size = backend.GetScale().ToScreen(client);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  backend.AddTopLevel(this);
}

TopLevelPeer::~TopLevelPeer() { Backend().RemoveTopLevel(this); }

void TopLevelPeer::SetVisible(bool visible) {
  if (visible) {
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::SetForegroundWindow(Hwnd());
  } else {
    ::ShowWindow(Hwnd(), SW_HIDE);
  }
}

void TopLevelPeer::SetTitle(const std::string& title) { ::SetWindowTextW(Hwnd(), ToWide(title).c_str()); }

Point TopLevelPeer::ScreenPosition() const {
  RECT r{};
  ::GetWindowRect(Hwnd(), &r);
  return GetScale().ToLayout(Point{r.left, r.top});
}

void TopLevelPeer::StartSystemMove() {
  if (Backend().SyntheticPointer()) {
    Backend().CountSystemMove();
    return;
  }
  ::ReleaseCapture();
  ::SendMessageW(Hwnd(), WM_SYSCOMMAND, kMoveFromCaption, 0);
}

bool TopLevelPeer::IsMinimised() const { return ::IsIconic(Hwnd()) != FALSE; }

void TopLevelPeer::Restore() {
  ::ShowWindow(Hwnd(), SW_RESTORE);
  ::SetForegroundWindow(Hwnd());
}

void TopLevelPeer::Minimise() { Backend().MinimiseGroup(*this); }

void TopLevelPeer::SetModal(bool modal) { Backend().SetModal(*this, modal); }

void TopLevelPeer::RunModal() {
  modal_ended_ = false;
  Backend().RunNestedLoop(modal_ended_);
}

void TopLevelPeer::EndModal() {
  modal_ended_ = true;
  ::PostMessageW(Hwnd(), WM_NULL, 0, 0);  // wakes the modal loop
}

void TopLevelPeer::SetDefaultButton(PushButtonPeer* button, bool is_default) {
  if (is_default) {
    default_button_ = button;
  } else if (default_button_ == button) {
    default_button_ = nullptr;
  }
}

bool TopLevelPeer::PressDefaultButton() {
  if (default_button_ == nullptr || !::IsWindowVisible(default_button_->Hwnd()) ||
      !::IsWindowEnabled(default_button_->Hwnd())) {
    return false;
  }
  default_button_->Press();
  return true;
}

LRESULT TopLevelPeer::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      Events().NativeCloseRequest();
      return 0;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) {
        was_minimised_ = true;
      } else if (wparam == SIZE_RESTORED && was_minimised_) {
        was_minimised_ = false;
        Backend().RestoreGroup(*this);
        Events().NativeRestored();
      }
      break;
    default:
      break;
  }
  return PeerCore::HandleMessage(message, wparam, lparam);
}

}  // namespace app::win32
