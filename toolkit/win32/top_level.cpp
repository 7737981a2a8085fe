#include "toolkit/win32/top_level.h"

#include <shellapi.h>

#include <vector>

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
// Sent before WM_DPICHANGED to a window aware of each monitor's dpi (v2):
// the window tells the size it wants at the new dpi. Declared by the
// headers only for newer systems than the program asks for.
constexpr UINT kGetDpiScaledSize = 0x02E4;
// The message a drop's data travels in between processes; not in the
// headers.
constexpr UINT kCopyGlobalData = 0x0049;
// DragQueryFileW's index that asks for the count of dropped items.
constexpr UINT kAllFiles = 0xFFFFFFFF;

// Every window in `parent`, parents before their children.
void CollectDescendants(HWND parent, std::vector<HWND>& out) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    CollectDescendants(child, out);
  }
}

}  // namespace

TopLevelPeer::TopLevelPeer(Win32Backend& backend, NativeEvents& events, Size client)
    : Peer(backend, events, true) {
  Create(kExStyle, kTopLevelClass, kStyle, nullptr, true);
  scale_ = backend.ScaleOfNewWindow(Hwnd());
  backend.NoteWindowScale(scale_);
  layout_size_ = client;
  const SIZE size = SizeAt(scale_);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  backend.AddTopLevel(this);
}

TopLevelPeer::~TopLevelPeer() { Backend().RemoveTopLevel(this); }

void TopLevelPeer::SetBounds(const Rect& bounds) {
  layout_size_ = bounds.GetSize();
  Place(bounds);
}

SIZE TopLevelPeer::SizeAt(Scale scale) const {
  const Size size = scale.ToScreen(layout_size_);
  return SIZE{size.width, size.height};
}

void TopLevelPeer::ChangeScale(Scale scale, POINT origin) {
  scale_ = scale;
  Backend().NoteWindowScale(scale);
  // Not the system's suggested size: its linear scaling of the last size
  // can be a pixel off the layout scaled.
  const SIZE size = SizeAt(scale);
  ::SetWindowPos(Hwnd(), nullptr, origin.x, origin.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  std::vector<HWND> windows;
  CollectDescendants(Hwnd(), windows);
  for (HWND hwnd : windows) {
    // The parts a system control makes itself follow their control.
    if (PeerCore* peer = FromHandle(hwnd)) peer->Rescaled();
  }
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

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

void TopLevelPeer::AcceptFileDrops() {
  ::DragAcceptFiles(Hwnd(), TRUE);
  // The elevated program still takes drops from Explorer, which runs with
  // less: the drop's messages pass the integrity filter.
  for (const UINT message : {static_cast<UINT>(WM_DROPFILES), kCopyGlobalData}) {
    ::ChangeWindowMessageFilterEx(Hwnd(), message, MSGFLT_ALLOW, nullptr);
  }
}

LRESULT TopLevelPeer::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wparam);
      std::vector<std::string> paths;
      const UINT count = ::DragQueryFileW(drop, kAllFiles, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(FromWide(path));
      }
      ::DragFinish(drop);
      Events().NativeFilesDropped(paths);
      return 0;
    }
    case WM_CLOSE:
      Events().NativeCloseRequest();
      return 0;
    case WM_DPICHANGED: {
      // Both halves of wparam hold the new dpi (the same on every screen);
      // lparam the place the system suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      RECT now{};
      ::GetWindowRect(Hwnd(), &now);
      const RECT& place = suggested != nullptr ? *suggested : now;
      ChangeScale(Scale(HIWORD(wparam)), POINT{place.left, place.top});
      return 0;
    }
    case kGetDpiScaledSize: {
      // The window has no frame: its size at the new dpi is its layout's.
      auto* size = reinterpret_cast<SIZE*>(lparam);
      if (size == nullptr) break;
      *size = SizeAt(Scale(static_cast<int>(wparam)));
      return TRUE;
    }
    case WM_ACTIVATE:
      // The control that had the focus when the window was left has it
      // again when the window comes back (the system would give it to the
      // window itself).
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Hwnd(), focus)) last_focus_ = focus;
      } else if (HIWORD(wparam) == 0 && last_focus_ != nullptr && ::IsChild(Hwnd(), last_focus_) &&
                 ::IsWindowVisible(last_focus_)) {
        ::SetFocus(last_focus_);
        return 0;
      }
      break;
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
